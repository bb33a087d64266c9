"""What the adapter allows, on Wine's real Direct3D 9 made to look like each kind of adapter."""

import contextlib
import unittest

from launcher_harness import (LauncherTestCase, POINTS, app_setting, expected_client,
                              session_env, settings_bytes, wait_for)

CRITICAL_TEXT = (
    "Your graphics adapter is missing critical features needed by this product to run.\r\n"
    "DirectX 9 compatible graphics adapter with pixel shader 2.0 support is required by this "
    "product.\r\n"
    "You need at least Intel GMA 950, Nvidia Geforce FX or Ati Radeon 9500 to run this product")
NO_DIRECTX_TEXT = "DirectX 9 is needed to run this program."
EXIT_MINUS_ONE = 255  # as Wine reports -1


def without_extension(name):
    return {"MESA_EXTENSION_OVERRIDE": "-" + name}


class AdapterTest(LauncherTestCase):
    def test_normal_only_adapter_shows_the_reduced_background_and_keeps_normal(self):
        self.folder.write_settings(settings_bytes(1, 1024, 768, 0))
        launcher = self.start_shown(without_extension("GL_ARB_texture_float"))
        expected = expected_client("background_reduced.bmp", "NORMAL", "WINDOW")
        self.assertShows(launcher, expected)
        # The greyed ULTRA HIGH takes the click, and the next painting puts NORMAL back.
        launcher.click(*POINTS["ULTRA HIGH"])
        launcher.click(*POINTS["WINDOW"])
        self.assertShows(launcher, expected)
        launcher.click(*POINTS["START"])
        self.assertEqual(0, launcher.exit_code())
        self.assertEqual(settings_bytes(1, 1024, 768, 1), self.folder.settings())
        starts = wait_for(self.folder.game_starts)
        self.assertEqual(["bramvik_low.exe"], [start["exe"] for start in starts])

    def expect_box_and_no_window(self, launcher, caption, text):
        box = launcher.message_box()
        self.assertIsNotNone(box, f"no {caption} box")
        self.assertEqual(caption, box["caption"])
        self.assertEqual(text, box["text"])
        self.assertEqual("0", box["owner"])
        window = launcher.window()
        self.assertTrue(window is None or window["visible"] == "0", "the launcher window shows")
        launcher.press_ok(box)
        self.assertEqual(EXIT_MINUS_ONE, launcher.exit_code())

    def test_adapter_below_the_minimum_ends_with_critical_error(self):
        stored = settings_bytes(0, 800, 600, 0) + b"tail"
        cases = [
            ("no two-sided stencil", without_extension("GL_EXT_stencil_two_side"), None),
            ("pixel shader 1.4", {}, ("MaxShaderModelPS", "REG_DWORD", 1)),
            ("no 3D at all", {}, ("renderer", "REG_SZ", "no3d")),
        ]
        for name, env, setting in cases:
            with self.subTest(name), self.direct3d_setting(setting):
                folder = self.new_folder()
                folder.write_settings(stored)
                self.expect_box_and_no_window(self.start(env, folder), "Critical Error",
                                              CRITICAL_TEXT)
                self.assertEqual(stored, folder.settings())

    def test_without_direct3d9_ends_with_error(self):
        no_d3d9 = {"WINEDLLOVERRIDES": session_env()["WINEDLLOVERRIDES"] + ";d3d9=d"}
        cases = [
            ("no d3d9.dll", no_d3d9, None, None),
            ("no d3d9.dll, with a settings file", no_d3d9, None, settings_bytes(1, 1280, 1024, 1)),
            ("no Direct3D 9 object", {}, ("renderer", "REG_SZ", "vulkan"), None),
        ]
        for name, env, setting, stored in cases:
            with self.subTest(name), self.direct3d_setting(setting):
                folder = self.new_folder()
                if stored:
                    folder.write_settings(stored)
                self.expect_box_and_no_window(self.start(env, folder), "Error", NO_DIRECTX_TEXT)
                self.assertEqual(stored, folder.settings())

    def direct3d_setting(self, setting):
        return app_setting("Direct3D", *setting) if setting else contextlib.nullcontext()


if __name__ == "__main__":
    unittest.main()
