#!/usr/bin/env python3
"""Draws a table in the editor as a person would (xdotool on an X server),
saves it with Ctrl+S and compares the file with what tavik-cli writes for the
same gestures. Run under xvfb-run:

    xvfb-run -a -s "-screen 0 1024x768x24" tests/e2e/draw_table.py build/main

Exits 0 when the two files are the same. Screenshots are left in the work
folder it prints.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

BUILD = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/main")
WORK = tempfile.mkdtemp(prefix="tavik-e2e-")
CELL = 12  # cell edge at font size index 2 and 96 dpi
WINDOW = (620, 540)  # the editor's window, at the top left of the screen

# The gestures, as cells: the same list drives the editor and tavik-cli.
HEADING = "価格表"
GESTURES = [
    ("rect", "thick", (0, 2, 12, 8)),
    ("hline", "thin", (0, 4, 12, 4)),
    ("hline", "thin", (0, 6, 12, 6)),
    ("vline", "thin", (4, 2, 4, 8)),
    ("vline", "thin", (8, 2, 8, 8)),
    ("htext", "thin", (0, 0, 12, 0)),
]
TOOLBAR = ["new", "open", "save", None, "undo", "redo", "cut", "copy", "paste", "tpaste",
           "rotate90", "rotate180", None, "print", None, "select", "hline", "vline",
           "rect", "htext", "vtext", "type", "symbol", "erase", None, "thin", "thick"]


def sh(*args, **kw):
    return subprocess.run(args, check=True, capture_output=True, text=True, **kw).stdout


def xdo(*args):
    sh("xdotool", *[str(a) for a in args])


def screenshot(name):
    path = os.path.join(WORK, name)
    sh("import", "-window", "root", path)
    return path


def pixels(png):
    """Width, height and RGB bytes of a PNG, read through ImageMagick."""
    data = subprocess.run(["convert", png, "-depth", "8", "rgb:-"], check=True,
                          capture_output=True).stdout
    size = sh("identify", "-format", "%w %h", png).split()
    return int(size[0]), int(size[1]), data


def find_canvas_origin(png):
    """The top-left pixel of the canvas frame: the first black pixel inside the
    window that starts black runs at least 20 cells long to the right and
    downwards, with paper inside them."""
    w, h, rgb = pixels(png)
    right, bottom = min(w, WINDOW[0]), min(h, WINDOW[1])
    def black(x, y):
        i = 3 * (y * w + x)
        return rgb[i] == 0 and rgb[i + 1] == 0 and rgb[i + 2] == 0
    run = 20 * CELL
    for y in range(bottom - run):
        for x in range(right - run):
            if black(x, y) and not black(x + 2, y + 2) \
                    and all(black(x + k, y) for k in range(run)) \
                    and all(black(x, y + k) for k in range(run)):
                return x, y
    raise SystemExit("canvas frame not found in " + png)


def toolbar_button(name, left, top):
    """Centre of a toolbar button: the buttons are 25 pixels apart, separators 7."""
    x = left
    for item in TOOLBAR:
        if item == name:
            return x, top
        x += 7 if item is None else 25
    raise KeyError(name)


def wait_for(what, test, seconds):
    """Polls test() until it is true; ends the scenario when seconds pass."""
    end = time.time() + seconds
    while time.time() < end:
        if test():
            return
        time.sleep(0.2)
    raise SystemExit("timed out waiting for " + what)


def start_editor(bindir, env, attempts=3):
    """Starts the editor and waits for its window to show. On a busy X server a
    program now and then fails to connect and exits at once; it is started
    again then, up to `attempts` times."""
    for _ in range(attempts):
        editor = subprocess.Popen([os.path.join(bindir, "tavik")], env=env, cwd=WORK)
        wait_for("the main window", lambda: editor.poll() is not None or subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--pid", str(editor.pid)],
            capture_output=True).stdout.strip(), 30)
        if editor.poll() is None:
            time.sleep(1.5)
            return editor
        print("the editor exited at start (status %s); starting it again" % editor.returncode)
    raise SystemExit("the editor did not start")


def same_as_cli(target, want):
    """Whether the editor's saved file holds the bytes tavik-cli wrote, saying which."""
    got = open(target, "rb").read() if os.path.exists(target) else b"<no file>"
    print("work folder:", WORK)
    if os.path.exists(target):
        print(sh(os.path.join(BUILD, "tavik-cli"), "-e", "open %s; show" % target))
    if got != want:
        print("DIFFERENT from tavik-cli:\n" + want.decode("cp932"))
        return False
    print("same bytes as tavik-cli (%d bytes)" % len(got))
    return True


def main():
    bindir = os.path.join(WORK, "bin")
    os.makedirs(bindir)
    shutil.copy(os.path.join(BUILD, "tavik"), bindir)  # its own settings file
    with open(os.path.join(bindir, "Tavik.ini"), "w") as ini:
        ini.write("[Window Placement]\nx=0\ny=0\nWidth=%d\nHeight=%d\n" % WINDOW)
    env = dict(os.environ, XDG_RUNTIME_DIR=WORK, LANG="ja_JP.UTF-8")
    editor = start_editor(bindir, env)
    try:
        ox, oy = find_canvas_origin(screenshot("start.png"))
        print("canvas frame at", ox, oy)

        def cell(c, r):
            return ox + c * CELL + CELL // 2, oy + r * CELL + CELL // 2

        def tool(name):
            xdo("mousemove", *toolbar_button(name, 25, oy - 40))
            xdo("click", 1)
            time.sleep(0.2)

        weight = "thick"
        for name, w, (c1, r1, c2, r2) in GESTURES:
            tool(name)
            if w != weight:
                tool(w)
                weight = w
            xdo("mousemove", *cell(c1, r1))
            xdo("mousedown", 1)
            xdo("mousemove", *cell((c1 + c2) // 2, (r1 + r2) // 2))
            xdo("mousemove", *cell(c2, r2))
            time.sleep(0.2)
            if name == "rect":
                screenshot("dragging.png")
            if name == "htext":
                xdo("mouseup", 1)
                time.sleep(1.0)
                xdo("type", "--delay", "50", HEADING)
                time.sleep(0.5)
                screenshot("dialog.png")
                xdo("key", "ctrl+Return")
            else:
                xdo("mouseup", 1)
            time.sleep(0.3)
        screenshot("drawn.png")

        target = os.path.join(WORK, "table.txt")
        # Without a window manager nothing gives the focus back to the main
        # window after a dialog: give it explicitly.
        window = sh("xdotool", "search", "--onlyvisible", "--name", "^Tavik").split()[0]
        xdo("windowfocus", "--sync", window)
        xdo("key", "ctrl+s")
        time.sleep(1.5)
        screenshot("savedialog.png")
        xdo("type", "--delay", "20", target)
        xdo("key", "Return")
        time.sleep(1.5)
        screenshot("saved.png")
    finally:
        editor.terminate()
        editor.wait(10)

    script = ["new 40 30"]
    weight = "thick"
    for name, w, (c1, r1, c2, r2) in GESTURES:
        script.append("tool " + name)
        if w != weight:
            script.append("weight " + w)
            weight = w
        text = ' "%s"' % HEADING if name == "htext" else ""
        script.append("drag %d %d %d %d%s" % (c1, r1, c2, r2, text))
    expected = os.path.join(WORK, "expected.txt")
    script.append("save " + expected)
    sh(os.path.join(BUILD, "tavik-cli"), "-e", "\n".join(script))

    return 0 if same_as_cli(target, open(expected, "rb").read()) else 1


if __name__ == "__main__":
    sys.exit(main())
