"""Bad input and faults lose nothing: odd or unreachable "setup.dat", a baited DLL search, a
flood of clicks, a covered window, many repaints. Elsewhere: a missing game (test_game_start),
no Direct3D 9 (test_adapter), a WM_QUIT posted to the thread (test_window)."""

import os
import random
import shutil
import struct
import subprocess
import tempfile
import unittest

from launcher_harness import (BUILD_DIR, INSPECT, POINTS, LauncherTestCase, expected_client,
                              registry_value, session_env, settings_bytes, wait_for, windows_path)

HOLD_FILE = os.path.join(BUILD_DIR, "tools", "harness", "hold_file.exe")
FAKE_D3D9 = os.path.join(BUILD_DIR, "tests", "e2e", "fake_d3d9", "d3d9.dll")
DEFAULTS = (1, 1024, 768, 1)  # windowed, width, height, normalQuality
# What the fake d3d9.dll offers, in its order; a size it lacks preselects the second.
FAKE_SIZES = ["800x600", "1024x768", "1280x600", "1280x768"]
# Flags that paint as neither WINDOW nor NORMAL, with bytes that would show if a field were
# taken in part, and a size that differs from the default in both fields: 1280 x 600, as
# 1280 x 768 (a width taken, the height not), is one that the fake offers.
RECORD = struct.pack("<4I", 0xA3A2A1A0, 1280, 600, 0xAFAEADAC)
STORED = settings_bytes(0, 800, 600, 0)
DEFAULT_MARKS = ("NORMAL", "WINDOW")
COVER_COLOUR = (255, 0, 255)


def loaded_fields(data):
    """What a run starts from: each field wholly within the file, the default for the rest."""
    if data is None:
        return DEFAULTS
    return tuple(struct.unpack_from("<i", data, 4 * i)[0] if len(data) >= 4 * (i + 1)
                 else DEFAULTS[i] for i in range(4))


def marks(windowed, normal_quality):
    """The rows whose marks show: only exactly 1 means WINDOW or NORMAL."""
    return ("NORMAL" if normal_quality == 1 else "ULTRA HIGH",
            "WINDOW" if windowed == 1 else "FULLSCREEN")


def preselected(width, height):
    label = f"{width}x{height}"
    return label if label in FAKE_SIZES else FAKE_SIZES[1]


def items(window):
    return [window[f"item.{i}"] for i in range(int(window["items"]))]


def other_rows(quality, screen_mode):
    return ("ULTRA HIGH" if quality == "NORMAL" else "NORMAL",
            "FULLSCREEN" if screen_mode == "WINDOW" else "WINDOW")


def native_d3d9_first():
    """Wine's own d3d9 is a builtin; without this a planted d3d9.dll would never be tried."""
    return {"WINEDLLOVERRIDES": session_env()["WINEDLLOVERRIDES"] + ";d3d9=n,b"}


def fake_d3d9_log(folder_path):
    """The lines the fake d3d9.dll in that folder wrote, or [] when nothing loaded it."""
    try:
        with open(os.path.join(folder_path, "fake_d3d9.log")) as f:
            return f.read().splitlines()
    except FileNotFoundError:
        return []


class HardeningTest(LauncherTestCase):
    def run_to_exit(self, folder, shown):
        """One run: the window must show `shown` marks; then the other rows are clicked, so a
        save would change the file, and Exit. Returns the exit code."""
        launcher = self.start_shown(folder=folder)
        self.assertShows(launcher, expected_client(quality=shown[0], screen_mode=shown[1]))
        changed = other_rows(*shown)
        for row in changed:
            launcher.click(*POINTS[row])
        self.assertShows(launcher, expected_client(quality=changed[0], screen_mode=changed[1]))
        launcher.click(*POINTS["Exit"])
        return launcher.exit_code()

    def test_any_settings_file_loads_its_whole_fields_and_exit_writes_sixteen_bytes(self):
        rng = random.Random(1729)
        cases = [("absent", None)]
        cases += [(f"{n} bytes", RECORD[:n]) for n in range(17)]
        cases += [
            ("20 bytes", RECORD + b"\r\n\x1a\x00"),
            ("4 KiB", RECORD + rng.randbytes(4096 - 16)),
            ("16 random bytes", rng.randbytes(16)),
            ("11 random bytes", rng.randbytes(11)),
        ]
        for name, data in cases:
            with self.subTest(name):
                folder = self.new_folder()
                # The fake's fixed list makes the preselected size, and so the saved one, the
                # same on any desktop the session offers.
                shutil.copy(FAKE_D3D9, folder.path)
                if data is not None:
                    folder.write_settings(data)
                windowed, width, height, normal_quality = loaded_fields(data)
                quality, screen_mode = marks(windowed, normal_quality)
                size = preselected(width, height)
                launcher = self.start_shown(native_d3d9_first(), folder)
                self.assertEqual(size, launcher.window()["combo_text"])
                self.assertShows(launcher, expected_client(quality=quality,
                                                           screen_mode=screen_mode))
                launcher.click(*POINTS["Exit"])
                self.assertEqual(0, launcher.exit_code())
                saved = settings_bytes(windowed, *map(int, size.split("x")), normal_quality)
                self.assertEqual(saved, folder.settings())

    def test_a_settings_file_that_cannot_be_written_is_left_as_it_was(self):
        cases = [
            # name, how the file is made unreachable, the marks each run shows, runs
            ("read-only file", self.make_read_only, ("ULTRA HIGH", "FULLSCREEN"), 2),
            ("held open without sharing", self.hold_open, DEFAULT_MARKS, 1),
            ("a folder named setup.dat", self.make_folder, DEFAULT_MARKS, 1),
        ]
        for name, make_unreachable, shown, runs in cases:
            with self.subTest(name):
                folder = self.new_folder()
                path = folder.file("setup.dat")
                make_unreachable(path)
                before = snapshot(path)
                for _ in range(runs):
                    self.assertEqual(0, self.run_to_exit(folder, shown))
                self.assertEqual(before, snapshot(path))

    def make_read_only(self, path):
        """Wine runs as root and would write through a plain read-only mode."""
        with open(path, "wb") as f:
            f.write(STORED)
        subprocess.run(["chattr", "+i", path], check=True)  # undone by GameFolder.remove

    def hold_open(self, path):
        with open(path, "wb") as f:
            f.write(STORED)
        output = tempfile.TemporaryFile("w+")
        self.addCleanup(output.close)
        holder = subprocess.Popen(["wine", HOLD_FILE, windows_path(path)], env=session_env(),
                                  stdout=output, stderr=subprocess.DEVNULL)
        self.addCleanup(holder.wait)
        self.addCleanup(holder.kill)
        self.assertTrue(wait_for(lambda: output.seek(0) == 0 and "held" in output.read()),
                        "hold_file did not take the file")

    def make_folder(self, path):
        os.mkdir(path)
        with open(os.path.join(path, "keep"), "wb") as f:
            f.write(STORED)

    def test_a_read_only_game_folder_still_ends_zero_and_starts_the_game(self):
        # The stubs' log exists already: the folder takes no new file, but that one still grows.
        open(self.folder.file("game-started.log"), "w").close()
        subprocess.run(["chattr", "+i", self.folder.path], check=True)
        launcher = self.start_shown()
        self.assertShows(launcher, expected_client())
        launcher.click(*POINTS["START"])
        self.assertEqual(0, launcher.exit_code())
        self.assertIsNone(self.folder.settings())
        starts = wait_for(self.folder.game_starts)
        self.assertEqual(["bramvik_low.exe"], [start["exe"] for start in starts])

    def test_a_d3d9_dll_beside_the_launcher_is_loaded_and_its_odd_modes_listed(self):
        shutil.copy(FAKE_D3D9, self.folder.path)
        self.folder.write_settings(settings_bytes(0, 1280, 600, 0))
        launcher = self.start_shown(native_d3d9_first())
        window = launcher.window()
        # Of 640x480, 800x600, 1024x768, 800x600 again, 1280x599, 1280x600 and 1280x768.
        self.assertEqual(FAKE_SIZES, items(window))
        self.assertEqual("2", window["selection"])
        self.assertShows(launcher, expected_client(quality="ULTRA HIGH", screen_mode="FULLSCREEN"))
        launcher.click(*POINTS["Exit"])
        self.assertEqual(0, launcher.exit_code())
        self.assertEqual(settings_bytes(0, 1280, 600, 0), self.folder.settings())
        log = fake_d3d9_log(self.folder.path)
        self.assertEqual(["loaded-by=launcher.exe", "create=32"], log[:2])
        self.assertEqual("call=Release", log[-1])

    def test_a_d3d9_dll_in_the_working_folder_is_not_loaded(self):
        # In Wine's usual order the system folder comes before the working folder, so even a
        # plain load passes the planted DLL by: this alone shows little, see the next test.
        self.expect_working_folder_dll_passed_by(plain_load_takes_it=False)

    # With the working folder searched before the system's, only the launcher's own taking it
    # off the search path keeps the planted DLL out.
    def test_a_d3d9_dll_in_the_working_folder_is_not_loaded_when_searched_first(self):
        with registry_value(r"HKLM\System\CurrentControlSet\Control\Session Manager",
                            "SafeDllSearchMode", "REG_DWORD", 0):
            self.expect_working_folder_dll_passed_by(plain_load_takes_it=True)

    def expect_working_folder_dll_passed_by(self, plain_load_takes_it):
        """The launcher runs from the game folder with another folder, holding the fake
        d3d9.dll, as its working folder. A plain LoadLibrary from there is the control."""
        work = tempfile.mkdtemp(prefix="work-", dir=os.path.dirname(self.folder.path))
        self.addCleanup(shutil.rmtree, work, ignore_errors=True)
        shutil.copy(FAKE_D3D9, work)
        plain = subprocess.run(["wine", INSPECT, "modes", "-"], cwd=work,
                               env=session_env(native_d3d9_first()),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.assertEqual(0, plain.returncode)
        taken = fake_d3d9_log(work)[:1] == ["loaded-by=inspect.exe"]
        self.assertEqual(plain_load_takes_it, taken, "the control's load")

        launcher = self.start_shown(native_d3d9_first(), cwd=work)
        self.assertNotIn("loaded-by=launcher.exe", fake_d3d9_log(work))
        self.assertNotEqual(FAKE_SIZES, items(launcher.window()), "the fake's sizes offered")
        launcher.close()
        self.assertEqual(0, launcher.exit_code())
        # The settings go to the working folder, not beside the launcher.
        with open(os.path.join(work, "setup.dat"), "rb") as f:
            self.assertEqual(settings_bytes(*DEFAULTS), f.read())
        self.assertIsNone(self.folder.settings())

    def test_two_hundred_fast_clicks_end_with_the_last_ones_shown_and_saved(self):
        launcher = self.start_shown()
        # Quality and screen-mode rows in turn, each pair the other way from the last, ending
        # on ULTRA HIGH and FULLSCREEN; no click lands where the one before it did.
        rows = []
        for pair in range(100):
            rows += [("NORMAL", "ULTRA HIGH")[pair % 2], ("WINDOW", "FULLSCREEN")[pair % 2]]
        left, top = launcher.screen_point(0, 0)
        command = ["xdotool"]
        for row in rows:
            x, y = POINTS[row]
            # --delay 0: xdotool would otherwise rest 100 ms after each click.
            command += ["mousemove", str(left + x), str(top + y), "click", "--delay", "0", "1"]
        subprocess.run(command, env=launcher.env, check=True)
        self.assertShows(launcher, expected_client(quality="ULTRA HIGH", screen_mode="FULLSCREEN"))
        launcher.click(*POINTS["Exit"])
        self.assertEqual(0, launcher.exit_code())
        self.assertEqual(settings_bytes(0, 1024, 768, 0), self.folder.settings())

    def test_a_covered_window_is_painted_again_when_uncovered(self):
        launcher = self.start_shown()
        launcher.click(*POINTS["ULTRA HIGH"])
        self.assertShows(launcher, expected_client(quality="ULTRA HIGH"))
        cases = [
            # name, covered client rectangle, rows clicked while it is covered, marks after
            ("the whole window", (0, 0, 440, 497), [], ("ULTRA HIGH", "WINDOW")),
            ("the marks, changed under the cover", (60, 240, 40, 240),
             ["NORMAL", "FULLSCREEN"], ("NORMAL", "FULLSCREEN")),
        ]
        for name, rectangle, rows, (quality, screen_mode) in cases:
            with self.subTest(name):
                cover = subprocess.Popen(["wine", INSPECT, "cover", launcher.exe_path,
                                          *map(str, rectangle)], env=launcher.env,
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                self.addCleanup(cover.wait)
                self.addCleanup(cover.kill)
                left, top, width, height = rectangle
                inside = (left + width // 2, top + height // 2)
                self.assertTrue(wait_for(
                    lambda: launcher.client_picture().getpixel(inside) == COVER_COLOUR),
                    "the cover did not show")
                for row in rows:
                    launcher.click(*POINTS[row])
                cover.kill()
                cover.wait()
                self.assertShows(launcher, expected_client(quality=quality,
                                                           screen_mode=screen_mode))
        launcher.click(*POINTS["Exit"])
        self.assertEqual(0, launcher.exit_code())
        self.assertEqual(settings_bytes(0, 1024, 768, 1), self.folder.settings())

    def test_a_thousand_repaints_leave_the_gdi_object_count_where_it_was(self):
        launcher = self.start_shown()
        self.assertShows(launcher, expected_client())
        before = launcher.inspect("gdi")
        # Wine's GetGuiResources answers 0; the handle table count shows the objects.
        self.assertGreater(int(before["gdi_table"]), 0)
        self.assertIsNotNone(launcher.inspect("repaint", 1000))
        self.assertShows(launcher, expected_client())
        self.assertEqual(before, launcher.inspect("gdi"))
        launcher.click(*POINTS["Exit"])
        self.assertEqual(0, launcher.exit_code())


def snapshot(path):
    """A file's bytes, or a folder's names and their bytes."""
    if os.path.isdir(path):
        return {name: snapshot(os.path.join(path, name)) for name in os.listdir(path)}
    with open(path, "rb") as f:
        return f.read()


if __name__ == "__main__":
    unittest.main()
