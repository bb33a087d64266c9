"""The resolution combo box, on the session's Wine virtual desktop with its standard sizes."""

import unittest

from launcher_harness import (POINTS, Inspector, LauncherTestCase, click_screen, settings_bytes,
                              wait_for)


class ResolutionTest(LauncherTestCase):
    def adapter_sizes(self):
        """The adapter's sizes from 800 x 600 up, each once, in its order, from Direct3D 9."""
        modes = Inspector.shared().ask("modes", "-")
        sizes = []
        for key in sorted((k for k in modes if k.startswith("mode.")),
                          key=lambda k: int(k.split(".")[1])):
            size = modes[key].split("@")[0]
            width, height = map(int, size.split("x"))
            if width >= 800 and height >= 600 and size not in sizes:
                sizes.append(size)
        return sizes

    def items(self, window):
        return [window[f"item.{i}"] for i in range(int(window["items"]))]

    def test_offers_each_adapter_size_from_800x600_once_in_order(self):
        sizes = self.adapter_sizes()
        self.assertGreater(len(sizes), 3, "the virtual desktop offers several sizes")
        window = self.start_shown().window()
        self.assertEqual(sizes, self.items(window))

    def test_preselects_the_saved_size_or_else_the_second_item(self):
        sizes = self.adapter_sizes()
        cases = [
            ("no settings file", None, "1024x768"),
            ("a saved size", settings_bytes(1, 1280, 960, 1), "1280x960"),
            ("the first size", settings_bytes(1, 800, 600, 1), "800x600"),
            ("a size the adapter lacks", settings_bytes(1, 1600, 1200, 1), sizes[1]),
        ]
        for name, stored, expected in cases:
            with self.subTest(name):
                folder = self.new_folder()
                if stored:
                    folder.write_settings(stored)
                launcher = self.start_shown(folder=folder)
                window = launcher.window()
                self.assertEqual(expected, window["combo_text"])
                self.assertEqual(sizes.index(expected), int(window["selection"]))
                launcher.click(*POINTS["Exit"])
                self.assertEqual(0, launcher.exit_code())
                width, height = map(int, expected.split("x"))
                self.assertEqual(settings_bytes(1, width, height, 1), folder.settings())

    def test_the_picked_item_is_saved(self):
        launcher = self.start_shown()
        # Open the list with a click on the combo box's arrow, then click the third item.
        launcher.click(75 + 88 - 8, 185 + 10)
        window = wait_for(lambda: (w := launcher.window()) and w["dropped"] == "1" and w)
        self.assertIsNotNone(window, "the list did not drop down")
        left, top, right, _ = map(int, window["list"].split())
        row = 2 - int(window["list_top_index"])
        item_height = int(window["item_height"])
        click_screen((left + right) // 2, top + row * item_height + item_height // 2,
                     launcher.env)
        picked = self.items(window)[2]
        self.assertTrue(wait_for(lambda: launcher.window()["combo_text"] == picked))
        launcher.click(*POINTS["Exit"])
        self.assertEqual(0, launcher.exit_code())
        width, height = map(int, picked.split("x"))
        self.assertEqual(settings_bytes(1, width, height, 1), self.folder.settings())


if __name__ == "__main__":
    unittest.main()
