#!/usr/bin/env python3
"""Recovery after a crash, as a person meets it (xdotool on an X server).

Draws and saves a table, draws more and types a heading through the text
dialog, waits for the recovery copy, starts a second editor (which must leave
the first one's copy alone), kills the first editor with SIGKILL, starts it
again, answers the question with 復元 (the default button) and saves with
Ctrl+S. The saved file must hold the same bytes as what tavik-cli writes for
all the gestures. Run under xvfb-run:

    xvfb-run -a -s "-screen 0 1024x768x24" tests/e2e/recover_after_kill.py build/main

Exits 0 when it passes, 77 (skipped) without an X server or xdotool, 1 when
it fails. Each run has its own settings, state and work folders.
"""
import glob
import os
import shutil
import signal
import subprocess
import sys
import time

SKIP = 77


def skip(reason):
    print("SKIPPED:", reason)
    sys.exit(SKIP)


if not os.environ.get("DISPLAY"):
    skip("no X server (DISPLAY is not set); run under xvfb-run")
if shutil.which("xdotool") is None or shutil.which("import") is None:
    skip("xdotool or ImageMagick is not installed")

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import draw_table as ui  # noqa: E402  (the same gestures and screen helpers)

BUILD = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/main")
WORK = ui.WORK
STATE = os.path.join(WORK, "state")
FOLDER = os.path.join(STATE, "tavik", "recovery")
BEFORE_SAVE = ui.GESTURES[:3]   # drawn and saved
AFTER_SAVE = ui.GESTURES[3:]    # drawn after the save, ending with the heading


def copies():
    return sorted(glob.glob(os.path.join(FOLDER, "*.tvkr")))


def snapshot():
    return {path: open(path, "rb").read() for path in copies()}



def visible_windows(pid):
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                         capture_output=True, text=True).stdout
    return out.split()


class Editor:
    def __init__(self, bindir, env):
        self.process = ui.start_editor(bindir, env)

    def focus_main(self):
        window = ui.sh("xdotool", "search", "--onlyvisible", "--name", "^Tavik").split()[0]
        ui.xdo("windowfocus", "--sync", window)

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait(10)


def draw(gestures, weight, origin):
    ox, oy = origin

    def cell(c, r):
        return ox + c * ui.CELL + ui.CELL // 2, oy + r * ui.CELL + ui.CELL // 2

    def tool(name):
        ui.xdo("mousemove", *ui.toolbar_button(name, 25, oy - 40))
        ui.xdo("click", 1)
        time.sleep(0.2)

    for name, w, (c1, r1, c2, r2) in gestures:
        tool(name)
        if w != weight:
            tool(w)
            weight = w
        ui.xdo("mousemove", *cell(c1, r1))
        ui.xdo("mousedown", 1)
        ui.xdo("mousemove", *cell(c2, r2))
        time.sleep(0.2)
        ui.xdo("mouseup", 1)
        if name == "htext":
            time.sleep(1.0)
            ui.xdo("type", "--delay", "50", ui.HEADING)
            time.sleep(0.5)
            ui.screenshot("textdialog.png")
            ui.xdo("key", "ctrl+Return")
        time.sleep(0.3)
    return weight


def expected_bytes():
    script = ["new 40 30"]
    weight = "thick"
    for name, w, (c1, r1, c2, r2) in ui.GESTURES:
        script.append("tool " + name)
        if w != weight:
            script.append("weight " + w)
            weight = w
        text = ' "%s"' % ui.HEADING if name == "htext" else ""
        script.append("drag %d %d %d %d%s" % (c1, r1, c2, r2, text))
    expected = os.path.join(WORK, "expected.txt")
    script.append("save " + expected)
    ui.sh(os.path.join(BUILD, "tavik-cli"), "-e", "\n".join(script))
    return open(expected, "rb").read()


def main():
    bindir = os.path.join(WORK, "bin")
    os.makedirs(bindir)
    shutil.copy(os.path.join(BUILD, "tavik"), bindir)  # its own settings file
    with open(os.path.join(bindir, "Tavik.ini"), "w") as ini:
        ini.write("[Window Placement]\nx=0\ny=0\nWidth=%d\nHeight=%d\n" % ui.WINDOW)
    env = dict(os.environ, XDG_RUNTIME_DIR=WORK, XDG_STATE_HOME=STATE,
               XDG_CONFIG_HOME=os.path.join(WORK, "config"), LANG="ja_JP.UTF-8")
    target = os.path.join(WORK, "table.txt")
    editors = []
    try:
        first = Editor(bindir, env)
        editors.append(first)
        origin = ui.find_canvas_origin(ui.screenshot("start.png"))
        weight = draw(BEFORE_SAVE, "thick", origin)
        first.focus_main()
        ui.xdo("key", "ctrl+s")
        time.sleep(1.5)
        ui.xdo("type", "--delay", "20", target)
        ui.xdo("key", "Return")
        ui.wait_for("the saved file", lambda: os.path.exists(target), 10)
        time.sleep(0.5)
        if copies():
            raise SystemExit("a copy is left after saving: %s" % copies())

        draw(AFTER_SAVE, weight, origin)
        ui.wait_for("the recovery copy", lambda: copies(), 20)
        time.sleep(0.5)
        ui.screenshot("drawn.png")
        left = snapshot()
        print("copy written:", [os.path.basename(p) for p in left])

        # A second editor starts while the first runs: no question, and the
        # first one's copy stays as it is.
        second = Editor(bindir, env)
        editors.append(second)
        time.sleep(1.0)
        ui.screenshot("second.png")
        if len(visible_windows(second.process.pid)) != 1:
            raise SystemExit("the second editor asked about the first one's copy")
        second.stop()
        if snapshot() != left:
            raise SystemExit("the second editor changed the first one's copies")

        first.process.send_signal(signal.SIGKILL)
        first.process.wait(10)
        if snapshot() != left:
            raise SystemExit("the copy did not survive SIGKILL")

        third = Editor(bindir, env)
        editors.append(third)
        ui.wait_for("the question", lambda: len(visible_windows(third.process.pid)) >= 2, 10)
        time.sleep(0.5)
        ui.screenshot("question.png")
        dialog = [w for w in visible_windows(third.process.pid)
                  if ui.sh("xdotool", "getwindowname", w).strip() == "Tavik"]
        ui.xdo("windowfocus", "--sync", dialog[-1])
        ui.xdo("key", "Return")  # 復元
        time.sleep(1.5)
        ui.screenshot("restored.png")
        third.focus_main()
        ui.xdo("key", "ctrl+s")  # the original file, without a question
        time.sleep(1.5)
        ui.screenshot("saved.png")
        if copies():
            raise SystemExit("a copy is left after saving the restored canvas")
    finally:
        for editor in editors:
            editor.stop()

    return 0 if ui.same_as_cli(target, expected_bytes()) else 1


if __name__ == "__main__":
    sys.exit(main())
