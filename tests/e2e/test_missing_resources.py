"""A launcher whose dialog or art cannot be loaded: it ends with a message, or paints plain
colours, rather than polling forever without a window or crashing."""

import unittest

from PIL import Image

import pe_resources
from launcher_harness import (CLIENT_SIZE, MARK_X, POINTS, QUALITY_MARK_Y, SCREEN_MODE_MARK_Y,
                              LauncherTestCase, settings_bytes)

AMBER = (199, 144, 64)
DARK_BROWN = (45, 29, 7)


def plain_picture(quality="NORMAL", screen_mode="WINDOW"):
    """The window painted without its bitmaps: an amber fill with dark brown squares for marks."""
    picture = Image.new("RGB", CLIENT_SIZE, AMBER)
    for y in (QUALITY_MARK_Y[quality], SCREEN_MODE_MARK_Y[screen_mode]):
        picture.paste(DARK_BROWN, (MARK_X, y, MARK_X + 21, y + 21))
    return picture


class MissingResourcesTest(LauncherTestCase):
    def test_without_its_dialog_the_run_ends_with_a_message(self):
        stored = settings_bytes(0, 800, 600, 0)
        self.folder.write_settings(stored)
        pe_resources.hide_resources(self.folder.file("launcher.exe"), pe_resources.RT_DIALOG,
                                    {101})
        launcher = self.start()
        box = launcher.message_box()
        self.assertIsNotNone(box, "no message box")
        self.assertEqual("Error", box["caption"])
        self.assertEqual("The launcher window could not be created.", box["text"])
        launcher.press_ok(box)
        self.assertEqual(255, launcher.exit_code())
        self.assertEqual(stored, self.folder.settings())

    def test_without_its_art_the_window_is_painted_plain_and_still_works(self):
        pe_resources.hide_resources(self.folder.file("launcher.exe"), pe_resources.RT_BITMAP,
                                    {106, 107, 1003})
        launcher = self.start_shown()
        self.assertShows(launcher, plain_picture())
        launcher.click(*POINTS["ULTRA HIGH"])
        launcher.click(*POINTS["FULLSCREEN"])
        self.assertShows(launcher, plain_picture("ULTRA HIGH", "FULLSCREEN"))
        launcher.click(*POINTS["Exit"])
        self.assertEqual(0, launcher.exit_code())
        self.assertEqual(settings_bytes(0, 1024, 768, 0), self.folder.settings())


if __name__ == "__main__":
    unittest.main()
