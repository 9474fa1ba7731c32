#!/usr/bin/env python3
"""Time from starting a program to its window being shown, for the editor and
for an empty QMainWindow program. Run under xvfb-run:

    xvfb-run -a -s "-screen 0 1024x768x24" bench/startup/startup_time.py build/release

The two programs are started in turn, RUNS times each, so that a busy machine
slows both alike; the medians and their ratio are printed.

    ... startup_time.py --callgrind build/release

counts instead the instructions each program runs until its window is shown
(under valgrind's callgrind, which must be installed). The count does not
depend on the load of the machine, so it compares builds on a shared one."""
import glob
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

RUNS = int(os.environ.get("TAVIK_STARTUP_RUNS", "21"))
TIMEOUT = 60


def window_shown(title):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title],
                           capture_output=True)
    return found.returncode == 0


def stop(proc):
    proc.terminate()
    try:
        proc.wait(10)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


def time_to_window(command, title, env, attempts=3):
    """Seconds to the shown window. On a busy X server a program now and then
    fails to connect and exits at once; it is started again then."""
    start = time.perf_counter()
    proc = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    try:
        while not window_shown(title):
            if proc.poll() is not None and attempts > 1:
                return time_to_window(command, title, env, attempts - 1)
            if time.perf_counter() - start > TIMEOUT or proc.poll() is not None:
                raise SystemExit("no window: %s (exit %s)" % (title, proc.poll()))
            time.sleep(0.01)
        return time.perf_counter() - start
    finally:
        stop(proc)


def instructions_to_window(command, title, env, work):
    """Instructions (callgrind's Ir) the program ran when its window showed."""
    out = os.path.join(work, "callgrind.out")
    for old in glob.glob(out + "*"):
        os.remove(old)
    proc = subprocess.Popen(["valgrind", "--tool=callgrind", "--callgrind-out-file=" + out]
                            + command, env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    try:
        start = time.perf_counter()
        while not window_shown(title):
            if time.perf_counter() - start > 10 * TIMEOUT or proc.poll() is not None:
                raise SystemExit("no window: %s (exit %s)" % (title, proc.poll()))
            time.sleep(0.05)
        subprocess.run(["callgrind_control", "--dump", str(proc.pid)],
                       capture_output=True, check=True)
    finally:
        stop(proc)
    dumps = sorted(glob.glob(out + ".*"))
    if not dumps:
        raise SystemExit("callgrind wrote no dump for %s" % title)
    with open(dumps[0]) as dump:
        for line in dump:
            if line.startswith("summary:") or line.startswith("totals:"):
                return int(line.split()[1])
    raise SystemExit("no instruction count in %s" % dumps[0])


def main():
    args = sys.argv[1:]
    callgrind = "--callgrind" in args
    args = [a for a in args if a != "--callgrind"]
    build = os.path.abspath(args[0] if args else "build/main")
    work = tempfile.mkdtemp(prefix="tavik-startup-")
    shutil.copy(os.path.join(build, "tavik"), work)  # its own settings file
    env = dict(os.environ, XDG_RUNTIME_DIR=work, XDG_STATE_HOME=os.path.join(work, "state"))
    programs = [("tavik", [os.path.join(work, "tavik")], "^Tavik"),
                ("empty QMainWindow", [os.path.join(build, "bench", "tavik_empty_window")],
                 "^EmptyMainWindow$")]
    if callgrind:
        counts = [instructions_to_window(command, title, env, work)
                  for _, command, title in programs]
        for (name, _, _), count in zip(programs, counts):
            print("%-18s %d instructions to a shown window" % (name, count))
        print("ratio              %.2f" % (counts[0] / counts[1]))
        return
    for _, command, title in programs:
        time_to_window(command, title, env)  # warm the file cache
    times = {name: [] for name, _, _ in programs}
    for _ in range(RUNS):
        for name, command, title in programs:
            times[name].append(time_to_window(command, title, env))
    for name, _, _ in programs:
        t = times[name]
        print("%-18s median %.0f ms (min %.0f, max %.0f)" % (
            name, 1000 * statistics.median(t), 1000 * min(t), 1000 * max(t)))
    ratios = [a / b for a, b in zip(times["tavik"], times["empty QMainWindow"])]
    print("ratio              %.2f of the medians, %.2f the median of %d interleaved pairs" % (
        statistics.median(times["tavik"]) / statistics.median(times["empty QMainWindow"]),
        statistics.median(ratios), RUNS))


if __name__ == "__main__":
    main()
