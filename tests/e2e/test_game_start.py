"""START: the chosen game starts from the game folder, after "setup.dat" holds this run."""

import os
import unittest

from launcher_harness import (LauncherTestCase, POINTS, expected_client, settings_bytes,
                              wait_for, windows_path)


class GameStartTest(LauncherTestCase):
    def start_game_after(self, rows):
        """Clicks the rows, then START; returns the one game start the stubs logged."""
        launcher = self.start_shown()
        for row in rows:
            launcher.click(*POINTS[row])
        launcher.click(*POINTS["START"])
        self.assertEqual(0, launcher.exit_code())
        starts = wait_for(self.folder.game_starts)
        self.assertEqual(1, len(starts), starts)
        return starts[0]

    def test_normal_quality_starts_the_low_executable_with_this_runs_settings(self):
        start = self.start_game_after(["FULLSCREEN"])
        self.assertEqual("bramvik_low.exe", start["exe"])
        self.assertEqual("0", start["arguments"])
        self.assertEqual(windows_path(self.folder.path).lower(), start["cwd"].lower())
        # The game found the file already complete with this run's choices.
        self.assertEqual(settings_bytes(0, 1024, 768, 1).hex(), start["setup"])
        self.assertEqual(settings_bytes(0, 1024, 768, 1), self.folder.settings())

    def test_ultra_high_starts_the_full_executable(self):
        start = self.start_game_after(["ULTRA HIGH"])
        self.assertEqual("bramvik.exe", start["exe"])
        self.assertEqual(settings_bytes(1, 1024, 768, 0).hex(), start["setup"])

    def test_a_missing_game_still_saves_and_ends_with_zero(self):
        os.remove(self.folder.file("bramvik_low.exe"))
        launcher = self.start_shown()
        launcher.click(*POINTS["WINDOW"])
        self.assertShows(launcher, expected_client())
        launcher.click(*POINTS["START"])
        self.assertEqual(0, launcher.exit_code())
        self.assertEqual(settings_bytes(1, 1024, 768, 1), self.folder.settings())
        self.assertEqual([], self.folder.game_starts())


if __name__ == "__main__":
    unittest.main()
