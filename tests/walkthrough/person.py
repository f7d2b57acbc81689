"""Uses the running program as a person does: finds controls as a screen reader sees them
(AT-SPI), moves the real X pointer and presses real keys (xdotool), and looks at the screen."""

import os
import subprocess
import time

import pyatspi
from Xlib import X, display, protocol


class Failure(Exception):
    pass


class Person:
    def __init__(self, pid, out_dir, timeout=10.0):
        self.pid = pid
        self.out = out_dir
        self.timeout = timeout
        self.shots = 0
        self.x = display.Display()
        os.makedirs(out_dir, exist_ok=True)

    # -- what a screen reader sees ------------------------------------------------------------

    def app(self):
        desk = pyatspi.Registry.getDesktop(0)
        for i in range(desk.childCount):
            a = desk.getChildAtIndex(i)
            try:
                if a is not None and a.get_process_id() == self.pid:
                    return a
            except Exception:
                pass
        return None

    def windows(self):
        app = self.app()
        return [] if app is None else [app.getChildAtIndex(i) for i in range(app.childCount)]

    def active(self):
        """The window that has the keyboard: the one a person is looking at."""
        wins = [w for w in self.windows() if w is not None]
        for w in wins:
            if w.getState().contains(pyatspi.STATE_ACTIVE):
                return w
        return wins[-1] if wins else None

    @staticmethod
    def walk(node):
        yield node
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is not None:
                yield from Person.walk(child)

    @staticmethod
    def showing(node):
        state = node.getState()
        return state.contains(pyatspi.STATE_SHOWING) or state.contains(pyatspi.STATE_VISIBLE)

    def find(self, role, name, within=None, wait=True):
        """The first showing control of that role and name in the active window."""
        deadline = time.time() + (self.timeout if wait else 0)
        while True:
            root = within or self.active()
            if root is not None:
                for node in self.walk(root):
                    try:
                        if node.getRoleName() == role and node.name == name and self.showing(node):
                            if self.extents(node)[2] > 0:
                                return node
                    except Exception:
                        pass
            if time.time() >= deadline:
                raise Failure(f"no {role} '{name}' in {self.describe(root)}")
            time.sleep(0.1)

    def wait_window(self, name, role="dialog"):
        deadline = time.time() + self.timeout
        while time.time() < deadline:
            w = self.active()
            if w is not None and w.name == name and w.getRoleName() == role:
                return w
            time.sleep(0.1)
        raise Failure(f"no active {role} '{name}'; active is {self.describe(self.active())}")

    def focused(self):
        root = self.active()
        for node in self.walk(root) if root else []:
            if node.getState().contains(pyatspi.STATE_FOCUSED) and node.childCount == 0:
                return node
        for node in self.walk(root) if root else []:
            if node.getState().contains(pyatspi.STATE_FOCUSED):
                return node
        return None

    @staticmethod
    def extents(node):
        e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return (e.x, e.y, e.width, e.height)

    @staticmethod
    def text(node):
        try:
            return node.queryText().getText(0, -1)
        except Exception:
            return node.name

    def describe(self, root):
        if root is None:
            return "no window"
        lines = []
        for node in self.walk(root):
            try:
                lines.append(f"{node.getRoleName()} '{node.name}'")
            except Exception:
                pass
        return "[" + ", ".join(lines[:80]) + "]"

    # -- hands ---------------------------------------------------------------------------------

    def xdo(self, *args):
        subprocess.run(["xdotool", *args], check=True)
        time.sleep(0.15)

    def click(self, node_or_point, settle=0.4):
        if isinstance(node_or_point, tuple):
            x, y = node_or_point
        else:
            x, y, w, h = self.extents(node_or_point)
            x, y = x + w // 2, y + h // 2
        self.xdo("mousemove", "--sync", str(x), str(y))
        self.xdo("click", "1")
        time.sleep(settle)

    def press(self, *keys, settle=0.3):
        for k in keys:
            self.xdo("key", "--clearmodifiers", k)
        time.sleep(settle)

    def type(self, text, settle=0.3):
        self.xdo("type", "--delay", "40", text)
        time.sleep(settle)

    def close_window(self, node):
        """What a window manager's close button does: WM_DELETE_WINDOW to the window."""
        x, y, w, h = self.extents(node)
        for win in self.program_windows():
            g = self.geometry(win)
            if (g[0], g[1], g[2], g[3]) == (x, y, w, h):
                atom = self.x.intern_atom("WM_PROTOCOLS")
                delete = self.x.intern_atom("WM_DELETE_WINDOW")
                event = protocol.event.ClientMessage(window=win, client_type=atom,
                                                     data=(32, [delete, X.CurrentTime, 0, 0, 0]))
                win.send_event(event)
                self.x.flush()
                time.sleep(0.5)
                return
        raise Failure(f"no X window at {(x, y, w, h)}")

    # -- eyes ----------------------------------------------------------------------------------

    def program_windows(self):
        """Mapped top-level X windows: the program's dialogs, menus and pop-up lists."""
        root = self.x.screen().root
        found = []
        for win in root.query_tree().children:
            try:
                if win.get_attributes().map_state == X.IsViewable:
                    found.append(win)
            except Exception:
                pass
        return found

    def geometry(self, win):
        g = win.get_geometry()
        pos = win.translate_coords(self.x.screen().root, 0, 0)
        return (-pos.x, -pos.y, g.width, g.height)

    def shot(self, label, rect=None):
        self.shots += 1
        path = os.path.join(self.out, f"{self.shots:02d}-{label}.png")
        args = ["import", "-window", "root"]
        if rect:
            x, y, w, h = rect
            args += ["-crop", f"{w}x{h}+{x}+{y}", "+repage"]
        subprocess.run(args + [path], check=True)
        return path

    def colours(self, win):
        """How many colours a window's pixels hold: a list that paints no items holds one or two."""
        path = os.path.join(self.out, "popup.png")
        subprocess.run(["import", "-window", str(win.id), path], check=True)
        out = subprocess.run(["convert", path, "-format", "%k", "info:"], check=True,
                             capture_output=True, text=True).stdout
        return int(out.strip() or 0)
