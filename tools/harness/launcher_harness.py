"""Drives the real launcher.exe under Wine for the end-to-end tests.

Each test gets a game folder of its own with the launcher and two stub games, starts the
launcher there on the session's display, reads its windows with inspect.exe, clicks with
xdotool and compares screenshots with the art itself. Run with /usr/bin/python3 (Pillow).
"""

import atexit
import contextlib
import os
import re
import select
import shutil
import struct
import subprocess
import tempfile
import time
import unittest

from PIL import Image, ImageChops, ImageGrab

BUILD_DIR = os.environ.get("LAUNCHER_BUILD_DIR") or os.path.abspath(
    os.path.join(os.path.dirname(__file__), "..", "..", "build"))
SOURCE_DIR = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SESSION_DIR = os.environ.get("LAUNCHER_SESSION_DIR") or os.path.join(BUILD_DIR, "wine")
RESOURCES = os.path.join(SOURCE_DIR, "launcher", "resources")
INSPECT = os.path.join(BUILD_DIR, "tools", "harness", "inspect.exe")
STUB_GAME = os.path.join(BUILD_DIR, "tools", "harness", "stub_game.exe")

CLIENT_SIZE = (440, 497)
MARK_X = 70
QUALITY_MARK_Y = {"NORMAL": 256, "ULTRA HIGH": 290}
SCREEN_MODE_MARK_Y = {"FULLSCREEN": 414, "WINDOW": 448}
# Client points inside each painted area, away from every edge.
POINTS = {
    "NORMAL": (150, 265), "ULTRA HIGH": (150, 298), "FULLSCREEN": (150, 425),
    "WINDOW": (150, 460), "START": (295, 470), "Exit": (400, 470),
}
COMBO_BOX = (75, 185, 88, 22)  # left, top, width, height of the closed combo box


def session_env(extra=None):
    """The environment of the shared Wine session, plus the caller's variables."""
    env = dict(os.environ)
    with open(os.path.join(SESSION_DIR, "session.env")) as f:
        for line in f:
            key, _, value = line.strip().removeprefix("export ").partition("=")
            env[key] = value.strip("'")
    env.update(extra or {})
    return env


def wait_for(condition, timeout=10.0, interval=0.02):
    """Polls until condition() returns something true, and returns it; None on timeout."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result or time.monotonic() > deadline:
            return result
        time.sleep(interval)


class Inspector:
    """One `inspect.exe serve` that answers all of a test run's questions about windows: a
    Windows program takes a good part of a second to start under Wine, a question a few ms.
    Its answers are read without waiting for the end of its output, which Wine's services may
    hold open."""

    _shared = None

    @classmethod
    def shared(cls):
        if cls._shared is None or cls._shared.process.poll() is not None:
            cls._shared = cls()
        return cls._shared

    def __init__(self):
        self.process = subprocess.Popen(["wine", INSPECT, "serve"], env=session_env(),
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        stderr=subprocess.DEVNULL)
        self.pending = b""
        atexit.register(self.process.kill)

    def ask(self, *args, timeout=30.0):
        """The answer's key=value lines as a dict, or None if the inspector found nothing."""
        self.process.stdin.write(("\t".join(map(str, args)) + "\n").encode())
        self.process.stdin.flush()
        deadline = time.monotonic() + timeout
        while not (end := re.search(rb"(?:^|\n)end=(-?\d+)\n", self.pending)):
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.process.stdout], [], [], left)[0]:
                raise TimeoutError(f"inspect.exe gave no answer to {args}")
            self.pending += os.read(self.process.stdout.fileno(), 65536)
        answer, self.pending = self.pending[:end.start()], self.pending[end.end():]
        if int(end.group(1)) != 0:
            return None
        pairs = (line.partition("=") for line in answer.decode().splitlines())
        # inspect.exe escapes line breaks and backslashes so that each value keeps to its line.
        return {key: value.replace("\\r", "\r").replace("\\n", "\n").replace("\\\\", "\\")
                for key, _, value in pairs if key}


@contextlib.contextmanager
def registry_value(key, name, kind, value):
    """A value in the session prefix's registry while the block runs."""
    env = session_env()
    quiet = {"env": env, "stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}
    subprocess.run(["wine", "reg", "add", key, "/v", name, "/t", kind, "/d", str(value), "/f"],
                   check=True, **quiet)
    try:
        yield
    finally:
        subprocess.run(["wine", "reg", "delete", key, "/v", name, "/f"], **quiet)


@contextlib.contextmanager
def app_setting(subkey, name, kind, value, programs=("launcher.exe",)):
    """A Wine setting for the named programs alone (Wine's AppDefaults), while the block runs."""
    with contextlib.ExitStack() as stack:
        for program in programs:
            key = rf"HKCU\Software\Wine\AppDefaults\{program}\{subkey}"
            stack.enter_context(registry_value(key, name, kind, value))
        yield


def click_screen(x, y, env):
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], env=env, check=True)


def windows_path(path):
    """A Unix path as Wine's drive Z: shows it to Windows programs."""
    return "Z:" + path.replace("/", "\\")


def settings_bytes(windowed, width, height, normal_quality):
    return struct.pack("<4i", windowed, width, height, normal_quality)


def art(name):
    return Image.open(os.path.join(RESOURCES, name)).convert("RGB")


def expected_client(background="background_full.bmp", quality="NORMAL", screen_mode="WINDOW"):
    """The client area as the launcher must paint it: background, then the two marks."""
    picture = art(background)
    mark = art("checkmark.bmp")
    picture.paste(mark, (MARK_X, QUALITY_MARK_Y[quality]))
    picture.paste(mark, (MARK_X, SCREEN_MODE_MARK_Y[screen_mode]))
    return picture.crop((0, 0) + CLIENT_SIZE)


def differing_pixels(actual, expected, skip=COMBO_BOX):
    """Pixels that differ, outside the rectangle `skip` (the combo box covers the art there)."""
    left, top, width, height = skip
    difference = ImageChops.difference(actual.convert("RGB"), expected)
    difference.paste((0, 0, 0), (left, top, left + width, top + height))
    if not difference.getbbox():
        return []
    d = difference.load()
    return [(x, y) for y in range(expected.height) for x in range(expected.width)
            if d[x, y] != (0, 0, 0)]


class GameFolder:
    """A temporary game folder with the launcher and stub games; removed afterwards."""

    def __init__(self):
        os.makedirs(os.path.join(BUILD_DIR, "e2e"), exist_ok=True)
        self.path = tempfile.mkdtemp(prefix="game-", dir=os.path.join(BUILD_DIR, "e2e"))
        shutil.copy(os.path.join(BUILD_DIR, "launcher.exe"), self.path)
        for game in ("bramvik.exe", "bramvik_low.exe"):
            shutil.copy(STUB_GAME, os.path.join(self.path, game))

    def file(self, name):
        return os.path.join(self.path, name)

    def write_settings(self, data):
        with open(self.file("setup.dat"), "wb") as f:
            f.write(data)

    def settings(self):
        """The bytes of setup.dat, or None when there is none."""
        try:
            with open(self.file("setup.dat"), "rb") as f:
                return f.read()
        except FileNotFoundError:
            return None

    def game_starts(self):
        """One dict per stub game start: exe, arguments, cwd, setup (hex)."""
        try:
            with open(self.file("game-started.log")) as f:
                lines = f.read().splitlines()
        except FileNotFoundError:
            return []
        return [dict(field.partition("=")[::2] for field in line.split("|")) for line in lines]

    def remove(self):
        subprocess.run(["chattr", "-R", "-i", self.path], capture_output=True)
        shutil.rmtree(self.path, ignore_errors=True)


class Launcher:
    """One run of launcher.exe in a game folder, working there or in the folder `cwd`."""

    def __init__(self, folder, env=None, cwd=None):
        self.folder = folder
        self.env = session_env(env)
        exe = os.path.join(folder.path, "launcher.exe")
        self.exe_path = windows_path(exe)
        self.origin = None
        self.process = subprocess.Popen(["wine", exe],
                                        cwd=cwd or folder.path, env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def inspect(self, command, *args):
        """Asks the inspector about this run's windows."""
        return Inspector.shared().ask(command, self.exe_path, *args)

    def window(self):
        return self.inspect("window")

    def wait_window(self, timeout=20.0):
        """The launcher's window once it is visible, or None."""
        return wait_for(lambda: (w := self.window()) and w["visible"] == "1" and w, timeout)

    def message_box(self, timeout=20.0):
        """A message box once it is shown, or None."""
        return wait_for(lambda: (box := self.inspect("messagebox"))
                        and box["visible"] == "1" and box, timeout)

    def exit_code(self, timeout=20.0):
        """The exit code, or None if the launcher is still running after the timeout."""
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def running(self):
        return self.process.poll() is None

    def screen_point(self, x, y):
        # The window has no title bar to drag it by: where it first shows, it stays.
        if self.origin is None:
            self.origin = tuple(map(int, self.window()["origin"].split()))
        return self.origin[0] + x, self.origin[1] + y

    def click(self, x, y):
        """A real left click at client point x, y."""
        click_screen(*self.screen_point(x, y), env=self.env)

    def press_ok(self, box):
        """Clicks the OK button of a message box that message_box() returned."""
        click_screen(*map(int, box["ok"].split()), env=self.env)

    def client_picture(self):
        ox, oy = self.screen_point(0, 0)
        return ImageGrab.grab(bbox=(ox, oy, ox + CLIENT_SIZE[0], oy + CLIENT_SIZE[1]),
                              xdisplay=self.env["DISPLAY"])

    def wait_picture(self, expected, timeout=10.0):
        """Polls the screen until the client area shows `expected`; returns the differences."""
        differences = []

        def matches():
            nonlocal differences
            differences = differing_pixels(self.client_picture(), expected)
            return not differences

        wait_for(matches, timeout, interval=0.05)
        return differences

    def close(self):
        self.inspect("close")

    def stop(self):
        """Ends the run if a test left it going."""
        if self.running():
            self.process.kill()
            self.process.wait()


class LauncherTestCase(unittest.TestCase):
    """A test with a game folder of its own; what it starts and sets is undone when it ends."""

    def setUp(self):
        self.folder = self.new_folder()

    def new_folder(self):
        folder = GameFolder()
        self.addCleanup(folder.remove)
        return folder

    def start(self, env=None, folder=None, cwd=None):
        launcher = Launcher(folder or self.folder, env, cwd)
        self.addCleanup(launcher.stop)
        return launcher

    def start_shown(self, env=None, folder=None, cwd=None):
        launcher = self.start(env, folder, cwd)
        self.assertIsNotNone(launcher.wait_window(), "the launcher window did not appear")
        return launcher

    def assertShows(self, launcher, expected, message=""):
        differences = launcher.wait_picture(expected)
        self.assertEqual([], differences[:10],
                         f"{len(differences)} pixels differ from the expected picture {message}")
