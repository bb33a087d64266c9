#!/usr/bin/python3
"""Measures the launcher under Wine on Xvfb against a floor program that makes only the platform
calls a launcher like it cannot avoid: start-up to the first painted frame, CPU while waiting,
click-to-mark reaction, memory and size. Prints a Markdown table and writes it to
BUILD/bench/results.md.  Usage: bench.py BUILD_DIR [TRIALS]"""

import os
import platform
import shutil
import statistics
import subprocess
import sys
import time
from datetime import date

BUILD = os.path.abspath(sys.argv[1])
TRIALS = int(sys.argv[2]) if len(sys.argv) > 2 else 10
SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SESSION = os.path.join(BUILD, "bench", "wine")
XPROBE = os.path.join(BUILD, "bench", "xprobe")
IDLE_SECONDS = 10

# The test harness reads where the build and the Wine session are when it is imported.
os.environ["LAUNCHER_BUILD_DIR"] = BUILD
os.environ["LAUNCHER_SESSION_DIR"] = SESSION
sys.path.insert(0, os.path.join(SOURCE, "tools", "harness"))
import launcher_harness as harness  # noqa: E402

MARK = (70, 448)  # the screen-mode mark, the last thing the first painting draws
QUALITY_MARKS = {"NORMAL": (70, 256), "ULTRA HIGH": (70, 290)}


def mark_pixel():
    """A point of the check mark whose colour the background does not have there."""
    mark = harness.art("checkmark.bmp")
    background = harness.art("background_full.bmp")
    for y in range(21):
        for x in range(21):
            colour = mark.getpixel((x, y))
            if all(background.getpixel((mx + x, my + y)) != colour
                   for mx, my in [MARK, *QUALITY_MARKS.values()]):
                return (x, y), "%02x%02x%02x" % colour
    raise SystemExit("bench: the check mark has no pixel that stands out from the background")


class Program:
    """One run of a program of the bench's game folder, until it is closed."""

    def __init__(self, name, args, env, folder):
        self.name = name
        self.exe = harness.windows_path(os.path.join(folder, name))
        self.process = subprocess.Popen(["wine", os.path.join(folder, name), *args], cwd=folder,
                                        env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)

    def inspect(self, command):
        return harness.Inspector.shared().ask(command, self.exe)

    def window(self):
        window = harness.wait_for(lambda: (w := self.inspect("window")) and
                                  w["visible"] == "1" and w, timeout=30)
        if not window:
            raise SystemExit(f"bench: {self.name} showed no window")
        return window

    def close(self):
        self.inspect("close")
        self.process.wait(30)


def cpu_seconds(pid):
    """CPU time of all the process's threads so far, from the scheduler's nanosecond counts."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        except OSError:
            continue  # a thread that ended meanwhile
    return total / 1e9


def resident_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    return 0.0


def wineserver_pid(prefix):
    """The wineserver that serves this prefix, found by the WINEPREFIX it was started with."""
    wanted = f"WINEPREFIX={prefix}".encode()
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/comm") as f:
                if not f.read().startswith("wineserver"):
                    continue
            with open(f"/proc/{pid}/environ", "rb") as f:
                if wanted in f.read().split(b"\0"):
                    return int(pid)
        except OSError:
            continue
    raise SystemExit("bench: no wineserver for the bench's prefix")


def startup_ms(name, args, env, folder, origin, point, colour):
    """From just before `wine` starts to the first frame with the mark on screen."""
    x, y = origin[0] + MARK[0] + point[0], origin[1] + MARK[1] + point[1]
    probe = subprocess.Popen([XPROBE, "wait", str(x), str(y), colour, "30000"], env=env,
                             stdout=subprocess.PIPE, text=True)
    time.sleep(0.05)  # let the probe connect and start polling
    started = time.monotonic_ns()
    program = Program(name, args, env, folder)
    seen = int(probe.communicate()[0])
    program.close()
    # The next trial must start from a screen without this window.
    subprocess.run([XPROBE, "wait", str(x), str(y), "!" + colour, "10000"], env=env,
                   stdout=subprocess.DEVNULL)
    return (seen - started) / 1e6


def idle(name, args, env, folder, wineserver):
    """Share of one core over IDLE_SECONDS of waiting, program and wineserver; resident MB."""
    program = Program(name, args, env, folder)
    program.window()
    time.sleep(2)
    pid = program.process.pid
    before = cpu_seconds(pid), cpu_seconds(wineserver)
    time.sleep(IDLE_SECONDS)
    after = cpu_seconds(pid), cpu_seconds(wineserver)
    memory = resident_mb(pid)
    program.close()
    share = [100.0 * (a - b) / IDLE_SECONDS for a, b in zip(after, before)]
    return share[0], share[1], memory


def reactions(env, folder, origin, point, colour):
    """Milliseconds from a real click on a quality row to its mark on screen."""
    program = Program("launcher.exe", [], env, folder)
    program.window()
    times = []
    for i in range(2 * TRIALS):
        row = "ULTRA HIGH" if i % 2 == 0 else "NORMAL"
        cx, cy = origin[0] + harness.POINTS[row][0], origin[1] + harness.POINTS[row][1]
        mx, my = QUALITY_MARKS[row]
        x, y = origin[0] + mx + point[0], origin[1] + my + point[1]
        done = subprocess.run([XPROBE, "click", str(cx), str(cy), str(x), str(y), colour, "5000"],
                              env=env, stdout=subprocess.PIPE, text=True)
        times.append(int(done.stdout) / 1e6)
    program.close()
    return times


def summary(values, digits=1):
    return (f"{statistics.median(values):.{digits}f} "
            f"({min(values):.{digits}f}–{max(values):.{digits}f})")


def machine():
    cpu = "unknown CPU"
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                cpu = line.split(":", 1)[1].strip()
                break
    wine = subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout.strip()
    return f"{cpu}, {os.cpu_count()} cores, {platform.system()} {platform.release()}, {wine}"


def main():
    session = os.path.join(SOURCE, "tools", "harness", "wine-session")
    subprocess.run([session, "start", SESSION, harness.INSPECT], check=True,
                   stdout=subprocess.DEVNULL)
    try:
        measure()
    finally:
        subprocess.run([session, "stop", SESSION])


def measure():
    env = harness.session_env()
    # The inspector stays on the desktop throughout, so Wine keeps the desktop between runs
    # as a player's desktop stays, instead of starting it again for each.
    harness.Inspector.shared().ask("window", "-")
    folder = os.path.join(BUILD, "bench", "game")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    shutil.copy(os.path.join(BUILD, "launcher.exe"), folder)
    shutil.copy(os.path.join(BUILD, "tools", "bench", "floor.exe"), folder)
    point, colour = mark_pixel()
    wineserver = wineserver_pid(env["WINEPREFIX"])

    # A first run of each warms the session's caches; it is not counted.
    origin = None
    for name in ("launcher.exe", "floor.exe"):
        program = Program(name, ["poll"] if name == "floor.exe" else [], env, folder)
        origin = tuple(map(int, program.window()["origin"].split()))
        program.close()

    startup = {"launcher.exe": [], "floor.exe": []}
    for trial in range(TRIALS):
        order = ["launcher.exe", "floor.exe"] if trial % 2 == 0 else ["floor.exe", "launcher.exe"]
        for name in order:
            args = ["poll"] if name == "floor.exe" else []
            startup[name].append(startup_ms(name, args, env, folder, origin, point, colour))

    runs = {"launcher": ("launcher.exe", []), "floor (polling)": ("floor.exe", ["poll"]),
            "floor (blocking)": ("floor.exe", ["block"])}
    waiting = {key: [] for key in runs}
    for _ in range(TRIALS):
        for key, (name, args) in runs.items():
            waiting[key].append(idle(name, args, env, folder, wineserver))

    reaction = reactions(env, folder, origin, point, colour)

    def column(key, index):
        return [trial[index] for trial in waiting[key]]

    def idle_total(key):
        return [a + b for a, b, _ in waiting[key]]

    exe = os.path.getsize(os.path.join(BUILD, "launcher.exe"))
    art = sum(os.path.getsize(os.path.join(harness.RESOURCES, f))
              for f in ("background_full.bmp", "background_reduced.bmp", "checkmark.bmp"))
    ratio_start = statistics.median(startup["launcher.exe"]) / statistics.median(startup["floor.exe"])
    ratio_idle = statistics.median(idle_total("launcher")) / statistics.median(idle_total("floor (polling)"))
    lines = [
        f"Measured {date.today().isoformat()} on {machine()}; {TRIALS} alternating trials of "
        "each, median (min–max).",
        "",
        "| Measure | launcher | floor (polling) | floor (blocking) | launcher / floor |",
        "|---|---|---|---|---|",
        f"| start-up to first painted frame, ms | {summary(startup['launcher.exe'])} | "
        f"{summary(startup['floor.exe'])} | | {ratio_start:.2f} |",
        f"| CPU while waiting, % of a core (process + wineserver) | "
        f"{summary(idle_total('launcher'), 2)} | {summary(idle_total('floor (polling)'), 2)} | "
        f"{summary(idle_total('floor (blocking)'), 2)} | {ratio_idle:.2f} |",
        f"| … of which the process itself | {summary(column('launcher', 0), 2)} | "
        f"{summary(column('floor (polling)', 0), 2)} | {summary(column('floor (blocking)', 0), 2)} | |",
        f"| resident memory while waiting, MB | {summary(column('launcher', 2))} | "
        f"{summary(column('floor (polling)', 2))} | {summary(column('floor (blocking)', 2))} | |",
        f"| click on a row to its mark on screen, ms | {summary(reaction)} | | | |",
        f"| executable, bytes (its three bitmaps: {art}) | {exe} | | | |",
    ]
    table = "\n".join(lines)
    print(table)
    os.makedirs(os.path.join(BUILD, "bench"), exist_ok=True)
    with open(os.path.join(BUILD, "bench", "results.md"), "w") as f:
        f.write(table + "\n")


if __name__ == "__main__":
    main()
