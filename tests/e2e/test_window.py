"""The launcher's window on screen: its shape, its painted face and how it ends."""

import unittest

from launcher_harness import (LauncherTestCase, POINTS, expected_client, settings_bytes,
                              wait_for)

WS_DLGFRAME = 0x00400000  # with WS_BORDER it makes a title bar


class WindowTest(LauncherTestCase):
    def test_window_is_borderless_art_with_the_combo_box_under_resolution(self):
        launcher = self.start_shown()
        window = launcher.window()
        style = int(window["style"], 16)
        self.assertEqual(0, style & WS_DLGFRAME, "a title bar")
        self.assertEqual(0x80880848, style & 0x80880848)
        self.assertEqual("", window["title"])
        self.assertEqual("440 497", window["client"])
        # Only a one-pixel border around the client area.
        left, top, right, bottom = map(int, window["frame"].split())
        self.assertEqual((442, 499), (right - left, bottom - top))
        combo_left, combo_top, combo_width, _ = map(int, window["combo"].split())
        self.assertEqual((75, 185, 88), (combo_left, combo_top, combo_width))
        self.assertEqual("1", window["foreground"])

    def test_first_painting_is_the_full_background_with_the_default_marks(self):
        launcher = self.start_shown()
        self.assertShows(launcher, expected_client("background_full.bmp", "NORMAL", "WINDOW"))

    def test_a_posted_quit_does_not_end_the_run(self):
        launcher = self.start_shown()
        self.assertIsNotNone(launcher.inspect("post-quit"))
        # The loop goes on: a click after the WM_QUIT still moves a mark.
        launcher.click(*POINTS["FULLSCREEN"])
        self.assertShows(launcher, expected_client(screen_mode="FULLSCREEN"))
        self.assertTrue(launcher.running())

    def test_closing_the_window_ends_the_run_and_saves(self):
        launcher = self.start_shown()
        launcher.close()
        self.assertEqual(0, launcher.exit_code())
        self.assertIsNone(wait_for(launcher.window, timeout=0.5))
        # Xvfb offers only its own size, which is not preselected: the defaults stay.
        self.assertEqual(settings_bytes(1, 1024, 768, 1), self.folder.settings())
        self.assertEqual([], self.folder.game_starts())


if __name__ == "__main__":
    unittest.main()
