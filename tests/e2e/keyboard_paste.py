#!/usr/bin/env python3
"""Keyboard editing and the paste preview, as a person meets them (xdotool on
an X server).

Draws a box with a line through it, selects a corner with the select tool and
clears it with Delete (one Ctrl+Z brings the drawing back as it was and a
second takes that back: one undo step), copies the whole canvas with Ctrl+A Ctrl+C (the X clipboard
must then hold what tavik-cli copies), puts text on the clipboard from another
program, presses Ctrl+V and moves the pointer over the canvas: before any
button is pressed the preview's frame must sit at the pointer's cell at every
step. A click places the text and Ctrl+Shift+S saves under a new name. The
saved file must hold the same bytes as what tavik-cli writes for the same
gestures. Run under xvfb-run:

    xvfb-run -a -s "-screen 0 1024x768x24" tests/e2e/keyboard_paste.py build/main

Exits 0 when it passes, 77 (skipped) without an X server, xdotool or xclip, 1
when it fails. Each run has its own settings, state and work folders.
"""
import os
import shutil
import subprocess
import sys
import time

SKIP = 77

if not os.environ.get("DISPLAY"):
    print("SKIPPED: no X server (DISPLAY is not set); run under xvfb-run")
    sys.exit(SKIP)
for program in ("xdotool", "import", "xclip"):
    if shutil.which(program) is None:
        print("SKIPPED: %s is not installed (scripts/install-deps installs it)" % program)
        sys.exit(SKIP)

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import draw_table as ui  # noqa: E402  (the toolbar and screen helpers)

BUILD = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/main")
WORK = ui.WORK
CELL = ui.CELL

DRAWING = [
    ("rect", "thick", (1, 1, 11, 7)),
    ("hline", "thin", (1, 4, 11, 4)),
]
CLEARED = (7, 4, 11, 7)           # dragged out with the select tool, then Delete
PASTED = "┌─┐\n│済│\n└─┘"      # put on the clipboard by another program
PASTED_SIZE = (3, 3)              # its columns and lines
POINTER_PATH = [(24, 14), (20, 11), (17, 6)]  # cells the pointer visits before the press
PLACE = (15, 2)                   # where the press puts it
FRAME = (40, 70, 190)             # the preview's frame colour



def is_frame(rgb, w, x, y):
    i = 3 * (y * w + x)
    return all(abs(rgb[i + k] - FRAME[k]) <= 24 for k in range(3))


def frame_box(png, origin):
    """The bounding box (left, top, right, bottom) of the preview frame's
    colour inside the canvas, or None when no pixel has it."""
    w, h, rgb = ui.pixels(png)
    ox, oy = origin
    xs, ys = [], []
    for y in range(oy, min(h, ui.WINDOW[1])):
        for x in range(ox, min(w, ui.WINDOW[0])):
            if is_frame(rgb, w, x, y):
                xs.append(x)
                ys.append(y)
    return (min(xs), min(ys), max(xs), max(ys)) if xs else None


def canvas_pixels(png, origin):
    """The RGB bytes of the canvas's visible part, row after row."""
    w, h, rgb = ui.pixels(png)
    ox, oy = origin
    right, bottom = min(w, ui.WINDOW[0]) - 20, min(h, ui.WINDOW[1]) - 40
    return b"".join(rgb[3 * (y * w + ox):3 * (y * w + right)] for y in range(oy, bottom))


def check_preview(png, origin, cell):
    """The frame must surround the pasted columns and lines from the cell,
    closed on all four sides, and nothing else may have its colour."""
    ox, oy = origin
    cols, lines = PASTED_SIZE
    left, top = ox + cell[0] * CELL - 1, oy + cell[1] * CELL - 1
    right, bottom = ox + (cell[0] + cols) * CELL, oy + (cell[1] + lines) * CELL
    box = frame_box(png, origin)
    if box is None or any(abs(a - b) > 2 for a, b in zip(box, (left, top, right, bottom))):
        raise SystemExit("preview frame at %s, expected about %s with the pointer on cell %s (%s)"
                         % (box, (left, top, right, bottom), cell, png))
    w, h, rgb = ui.pixels(png)
    near = (-1, 0, 1)  # a pixel either way
    edges = {
        "top": [any(is_frame(rgb, w, x, top + d) for d in near) for x in range(left, right + 1)],
        "bottom": [any(is_frame(rgb, w, x, bottom + d) for d in near)
                   for x in range(left, right + 1)],
        "left": [any(is_frame(rgb, w, left + d, y) for d in near) for y in range(top, bottom + 1)],
        "right": [any(is_frame(rgb, w, right + d, y) for d in near)
                  for y in range(top, bottom + 1)],
    }
    for side, hits in edges.items():
        if sum(hits) < 0.9 * len(hits):
            raise SystemExit("the preview frame's %s edge is missing: %d of %d pixels (%s)"
                             % (side, sum(hits), len(hits), png))


def gui_session(bindir, env, target):
    editor = ui.start_editor(bindir, env)
    clipboard_owner = None
    try:
        origin = ui.find_canvas_origin(ui.screenshot("start.png"))
        ox, oy = origin
        window = ui.sh("xdotool", "search", "--onlyvisible", "--name", "^Tavik").split()[0]

        def cell(c, r):
            return ox + c * CELL + CELL // 2, oy + r * CELL + CELL // 2

        def tool(name):
            ui.xdo("mousemove", *ui.toolbar_button(name, 25, oy - 40))
            ui.xdo("click", 1)
            time.sleep(0.2)

        def drag(c1, r1, c2, r2):
            ui.xdo("mousemove", *cell(c1, r1))
            ui.xdo("mousedown", 1)
            ui.xdo("mousemove", *cell((c1 + c2) // 2, (r1 + r2) // 2))
            ui.xdo("mousemove", *cell(c2, r2))
            time.sleep(0.2)
            ui.xdo("mouseup", 1)
            time.sleep(0.3)

        def key(name):
            ui.xdo("windowfocus", "--sync", window)
            ui.xdo("key", name)
            time.sleep(0.4)

        weight = "thick"
        for name, w, box in DRAWING:
            tool(name)
            if w != weight:
                tool(w)
                weight = w
            drag(*box)
        drawn = canvas_pixels(ui.screenshot("drawn.png"), origin)
        tool("select")
        drag(*CLEARED)
        ui.screenshot("selected.png")
        key("Delete")
        cleared = canvas_pixels(ui.screenshot("cleared.png"), origin)
        # One undo level by default: the second Ctrl+Z takes the first back.
        key("ctrl+z")
        if canvas_pixels(ui.screenshot("undone.png"), origin) != drawn:
            raise SystemExit("Ctrl+Z after Delete does not bring the drawing back (undone.png)")
        key("ctrl+z")
        if canvas_pixels(ui.screenshot("redone.png"), origin) != cleared:
            raise SystemExit("a second Ctrl+Z does not clear the cells again (redone.png)")

        key("ctrl+a")
        ui.screenshot("selectall.png")
        key("ctrl+c")
        ui.screenshot("all.png")
        copied = subprocess.run(["xclip", "-o", "-selection", "clipboard"],
                                capture_output=True, timeout=10).stdout
        key("Escape")

        if frame_box(ui.screenshot("before_paste.png"), origin) is not None:
            raise SystemExit("the preview frame's colour is on the canvas before Ctrl+V")
        # Another program takes the clipboard (xclip stays to serve it).
        clipboard_owner = subprocess.Popen(["xclip", "-i", "-selection", "clipboard"],
                                           stdin=subprocess.PIPE)
        clipboard_owner.stdin.write(PASTED.encode("utf-8"))
        clipboard_owner.stdin.close()
        time.sleep(0.5)
        ui.xdo("mousemove", ox + 30 * CELL, oy - 60)  # off the canvas while it waits
        key("ctrl+v")
        for step, (c, r) in enumerate(POINTER_PATH):
            ui.xdo("mousemove", *cell(c, r))
            time.sleep(0.4)
            check_preview(ui.screenshot("preview%d.png" % step), origin, (c, r))
        ui.xdo("mousemove", *cell(*PLACE))
        time.sleep(0.3)
        ui.xdo("mousedown", 1)
        time.sleep(0.1)
        ui.xdo("mouseup", 1)
        time.sleep(0.4)
        ui.xdo("mousemove", ox + 30 * CELL, oy - 60)
        time.sleep(0.3)
        placed = ui.screenshot("placed.png")
        if frame_box(placed, origin) is not None:
            raise SystemExit("the preview frame is still shown after the press (placed.png)")

        key("ctrl+shift+s")
        time.sleep(1.1)
        ui.screenshot("saveas.png")
        ui.xdo("type", "--delay", "20", target)
        ui.xdo("key", "Return")
        ui.wait_for("the saved file", lambda: os.path.exists(target), 10)
        time.sleep(0.5)
        ui.screenshot("saved.png")
        return copied
    finally:
        editor.terminate()
        editor.wait(10)
        if clipboard_owner and clipboard_owner.poll() is None:
            clipboard_owner.terminate()
            clipboard_owner.wait(10)


def cli(*lines):
    return ui.sh(os.path.join(BUILD, "tavik-cli"), "-e", "\n".join(lines))


def cli_script():
    """The same gestures as tavik-cli words, up to the copy of everything."""
    script = ["new 40 30"]
    weight = "thick"
    for name, w, box in DRAWING:
        script.append("tool " + name)
        if w != weight:
            script.append("weight " + w)
            weight = w
        script.append("drag %d %d %d %d" % box)
    script += ["tool select", "drag %d %d %d %d" % CLEARED, "delete", "undo", "undo",
               "selectall", "copy"]
    return script


def main():
    bindir = os.path.join(WORK, "bin")
    os.makedirs(bindir)
    shutil.copy(os.path.join(BUILD, "tavik"), bindir)  # its own settings file
    with open(os.path.join(bindir, "Tavik.ini"), "w") as ini:
        ini.write("[Window Placement]\nx=0\ny=0\nWidth=%d\nHeight=%d\n" % ui.WINDOW)
    env = dict(os.environ, XDG_RUNTIME_DIR=WORK, XDG_STATE_HOME=os.path.join(WORK, "state"),
               XDG_CONFIG_HOME=os.path.join(WORK, "config"), LANG="ja_JP.UTF-8")
    target = os.path.join(WORK, "pasted.txt")
    copied = gui_session(bindir, env, target)
    print("work folder:", WORK)

    failed = False
    want_copy = cli(*cli_script(), "clipboard")
    # The cli prints the text with a closing line end it may not hold itself.
    if copied.decode("utf-8", "replace").rstrip("\n") != want_copy.rstrip("\n"):
        print("Ctrl+A Ctrl+C put on the clipboard:\n%s\ntavik-cli copies:\n%s"
              % (copied.decode("utf-8", "replace"), want_copy))
        failed = True
    elif "┏" not in want_copy:
        print("tavik-cli copied no drawing:\n" + want_copy)
        failed = True
    else:
        print("Ctrl+A Ctrl+C copied the same %d lines as tavik-cli" % len(want_copy.splitlines()))

    expected = os.path.join(WORK, "expected.txt")
    quoted = PASTED.replace("\n", "\\n")
    cli(*cli_script(), 'clipboard "%s"' % quoted, "paste", "click %d %d" % PLACE,
        "save " + expected)
    if not ui.same_as_cli(target, open(expected, "rb").read()):
        failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
