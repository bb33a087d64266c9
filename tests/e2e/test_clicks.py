"""Real clicks on the painted window: the option rows move their marks, START and Exit end."""

import unittest

from launcher_harness import LauncherTestCase, POINTS, expected_client, settings_bytes


class ClickTest(LauncherTestCase):
    def test_each_row_moves_its_mark(self):
        launcher = self.start_shown()
        steps = [
            ("ULTRA HIGH", "ULTRA HIGH", "WINDOW"),
            ("FULLSCREEN", "ULTRA HIGH", "FULLSCREEN"),
            ("NORMAL", "NORMAL", "FULLSCREEN"),
            ("WINDOW", "NORMAL", "WINDOW"),
        ]
        for row, quality, screen_mode in steps:
            with self.subTest(row=row):
                launcher.click(*POINTS[row])
                self.assertShows(launcher, expected_client(quality=quality,
                                                           screen_mode=screen_mode))

    def test_text_outside_the_rows_changes_nothing(self):
        launcher = self.start_shown()
        for x, y in [(200, 50), (100, 120), (100, 235), (350, 310), (150, 280), (100, 390)]:
            launcher.click(x, y)
        # Presses are handled in order: once this one shows, the ones before changed nothing.
        launcher.click(*POINTS["FULLSCREEN"])
        self.assertShows(launcher, expected_client(screen_mode="FULLSCREEN"))

    def test_exit_ends_the_run_saving_the_choices_and_starting_nothing(self):
        launcher = self.start_shown()
        launcher.click(*POINTS["ULTRA HIGH"])
        launcher.click(*POINTS["FULLSCREEN"])
        self.assertShows(launcher, expected_client(quality="ULTRA HIGH", screen_mode="FULLSCREEN"))
        launcher.click(*POINTS["Exit"])
        self.assertEqual(0, launcher.exit_code())
        self.assertEqual(settings_bytes(0, 1024, 768, 0), self.folder.settings())
        self.assertEqual([], self.folder.game_starts())


if __name__ == "__main__":
    unittest.main()
