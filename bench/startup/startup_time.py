#!/usr/bin/env python3
"""Time from starting a program to its window being shown, for the editor and
for an empty QMainWindow program. Run under xvfb-run:

    xvfb-run -a -s "-screen 0 1024x768x24" bench/startup/startup_time.py build/release

Each program is started RUNS times; the median is printed."""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

BUILD = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/main")
RUNS = 15


def time_to_window(command, title, env):
    start = time.perf_counter()
    proc = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    try:
        while True:
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title],
                                   capture_output=True)
            if found.returncode == 0:
                return time.perf_counter() - start
            if time.perf_counter() - start > 30 or proc.poll() is not None:
                raise SystemExit("no window: %s (exit %s)" % (title, proc.poll()))
            time.sleep(0.02)
    finally:
        proc.terminate()
        proc.wait(10)


def main():
    work = tempfile.mkdtemp(prefix="tavik-startup-")
    shutil.copy(os.path.join(BUILD, "tavik"), work)  # its own settings file
    env = dict(os.environ, XDG_RUNTIME_DIR=work)
    programs = [("tavik", [os.path.join(work, "tavik")], "^Tavik"),
                ("empty QMainWindow", [os.path.join(BUILD, "bench", "tavik_empty_window")],
                 "^EmptyMainWindow$")]
    for name, command, title in programs:
        time_to_window(command, title, env)  # warm the file cache
        times = [time_to_window(command, title, env) for _ in range(RUNS)]
        print("%-18s median %.0f ms (min %.0f, max %.0f)" % (
            name, 1000 * statistics.median(times), 1000 * min(times), 1000 * max(times)))


if __name__ == "__main__":
    main()
