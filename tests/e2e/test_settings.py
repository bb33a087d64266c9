""""setup.dat" end to end: what a run starts from, and what it leaves for the game."""

import unittest

from launcher_harness import LauncherTestCase, POINTS, expected_client, settings_bytes


class SettingsTest(LauncherTestCase):
    def test_stored_choices_show_and_are_written_back_as_stored(self):
        cases = [
            ("fullscreen, ultra high", settings_bytes(0, 800, 600, 0), "ULTRA HIGH",
             "FULLSCREEN"),
            # Only exactly 1 shows WINDOW or NORMAL; other values are kept as they are.
            ("windowed stored as 5", settings_bytes(5, 1024, 768, 1), "NORMAL", "FULLSCREEN"),
            ("quality stored as 7", settings_bytes(1, 1024, 768, 7), "ULTRA HIGH", "WINDOW"),
        ]
        for name, stored, quality, screen_mode in cases:
            with self.subTest(name):
                self.folder.write_settings(stored)
                launcher = self.start_shown()
                self.assertShows(launcher, expected_client(quality=quality,
                                                           screen_mode=screen_mode))
                launcher.click(*POINTS["Exit"])
                self.assertEqual(0, launcher.exit_code())
                self.assertEqual(stored, self.folder.settings())

    def test_the_next_run_shows_what_the_last_one_chose(self):
        launcher = self.start_shown()
        launcher.click(*POINTS["ULTRA HIGH"])
        launcher.click(*POINTS["FULLSCREEN"])
        launcher.close()
        self.assertEqual(0, launcher.exit_code())
        again = self.start_shown()
        self.assertShows(again, expected_client(quality="ULTRA HIGH", screen_mode="FULLSCREEN"))

    def test_a_longer_file_is_cut_to_sixteen_bytes(self):
        self.folder.write_settings(settings_bytes(0, 1024, 768, 0) + b"\x1a\x0a" * 10)
        launcher = self.start_shown()
        launcher.close()
        self.assertEqual(0, launcher.exit_code())
        self.assertEqual(settings_bytes(0, 1024, 768, 0), self.folder.settings())


if __name__ == "__main__":
    unittest.main()
