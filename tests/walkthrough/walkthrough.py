"""The daily story of a new user, played on the real program with the mouse and the keyboard:
agree, fill the profile, log two foods and change their portions, log an exercise, weigh in,
write a journal entry, export, quit, start again and find it all there.

Usage: walkthrough.py PROGRAM SCREEN OUT_DIR   (run by run_walkthrough.sh inside its X server)
"""

import csv
import re
import os
import signal
import subprocess
import sys
import time

from person import Failure, Person

program, screen, out = sys.argv[1], sys.argv[2], sys.argv[3]
data = os.path.join(out, "data")
export = os.path.join(out, "export")
subprocess.run(["rm", "-rf", data, export], check=True)
for old in os.listdir(out):
    if old.endswith(".png"):
        os.remove(os.path.join(out, old))
os.makedirs(data)


def start():
    proc = subprocess.Popen([program, "--data-dir", data, "--screen", screen],
                            stdout=subprocess.DEVNULL, stderr=open(os.path.join(out, "log.txt"), "a"))
    return proc


problems = []


def check(condition, what):
    if not condition:
        raise Failure(what)


def note(condition, what):
    """A fault the story can go on past: reported at the end."""
    if not condition:
        problems.append(what)


class Story:
    def __init__(self, proc):
        self.proc = proc
        self.p = Person(proc.pid, out)
        self.screen = None

    # The emulated screen is where every full-screen dialog stands.
    def screen_rect(self):
        return self.p.extents(self.p.active())

    def shot(self, label):
        self.p.shot(label, self.screen or self.screen_rect())

    def inside(self, rect, what):
        sx, sy, sw, sh = self.screen
        x, y, w, h = rect
        note(x >= sx and y >= sy and x + w <= sx + sw and y + h <= sy + sh,
             f"{what} at {rect} leaves the screen {self.screen}")

    def windows_inside(self, what):
        for win in self.p.program_windows():
            self.inside(self.p.geometry(win), f"{what}: a window")

    def popup(self, before, what):
        """The pop-up window a click opened: inside the screen, and its items painted."""
        deadline = time.time() + 5
        while time.time() < deadline:
            extra = [w for w in self.p.program_windows() if w.id not in before]
            if extra:
                time.sleep(0.3)
                win = extra[-1]
                self.inside(self.p.geometry(win), what)
                colours = self.p.colours(win)
                note(colours >= 6, f"{what} paints no items ({colours} colours)")
                return win
            time.sleep(0.1)
        raise Failure(f"{what} did not open")

    def choose(self, combo_or_cell, item, what):
        """Opens a drop-down list with the mouse and clicks one of its items."""
        p = self.p
        before = {w.id for w in p.program_windows()}
        p.click(combo_or_cell)
        px, py, pw, ph = p.geometry(self.popup(before, what))
        self.shot(what.replace(" ", "-"))
        for node in p.walk(p.app()):
            try:
                if node.getRoleName() != "list item" or node.name != item:
                    continue
                x, y, w, h = p.extents(node)
            except Exception:
                continue
            # An item may report the list's full width: click where it shows.
            left, right = max(x, px), min(x + w, px + pw)
            top, bottom = max(y, py), min(y + h, py + ph)
            if left < right and top < bottom and bottom - top >= h // 2:
                p.click(((left + right) // 2, (top + bottom) // 2))
                return
        raise Failure(f"no item '{item}' in the {what}")

    def text_of(self, role, name):
        return self.p.text(self.p.find(role, name))


def wait_for_page(p, title, seconds=2):
    """Whether the page with that title bar is the one shown."""
    deadline = time.time() + seconds
    while time.time() < deadline:
        try:
            p.find("image", title, wait=False)
            return True
        except Failure:
            time.sleep(0.1)
    return False


def enter_adds(p, log, results):
    """Enter in a lookup adds its highlighted find result to the log."""
    p.press("Return")
    added = wait_for_page(p, log)
    note(added, f"Enter in the lookup of the {log} did not add")
    if not added:
        p.press("Escape")
        p.click(p.find("list", results).getChildAtIndex(0))
        p.click(p.find("push button", "Add"))


def first_day(story):
    p = story.p
    p.wait_window("Disclamer")
    story.screen = p.extents(p.active())
    story.shot("disclaimer")
    p.click(p.find("push button", "Yes"))

    # A new user starts on the profile page.
    p.find("combo box", "Calories")
    story.screen = story.screen_rect()
    story.choose(p.find("combo box", "Calories"), "Calories", "food tracking list")
    p.click(p.find("text", "Name"))
    p.type("Alex")
    # Tab to each field and type over its 0, as a person filling a form does.
    for value in ["35", "70", "180"]:
        p.press("Tab")
        p.type(value)
    p.press("Tab", "Tab")  # into the start date and out of it, leaving it as it is
    p.type("165")
    story.shot("profile")
    for role, name, value in [("text", "Age (years)", "35"), ("text", "Height (inches)", "70"),
                              ("text", "Start Weight (lbs)", "180"),
                              ("text", "Goal Weight (lbs)", "165")]:
        got = story.text_of(role, name)
        note(got == value, f"{name} shows '{got}' after typing {value}")
        if got != value:
            p.click(p.find(role, name))
            p.press("ctrl+a")
            p.type(value)
    p.click(p.find("push button", "Done"))

    # The blog account page follows, with its help on the first visit.
    p.wait_window("Help")
    help_text = "".join(p.text(n) for n in p.walk(p.active()) if n.getRoleName() == "text")
    note("not available" not in help_text, "the blog account page has no help")
    story.shot("blog-help")
    p.click(p.find("push button", "OK"))
    p.find("push button", "Home")
    story.shot("blog-account")
    p.click(p.find("push button", "Home"))
    # Leaving with empty fields says what a blog account needs.
    box = p.wait_window("Formats Error", role="alert")
    story.inside(p.extents(box), "the formats error box")
    p.click(p.find("push button", "OK"))


def log_foods(story):
    p = story.p
    p.click(p.find("push button", "Food Log"))
    p.find("table", "Food log")
    p.click(p.find("push button", "Add"))

    # Browse a group with the mouse.
    story.choose(p.find("combo box", "Dairy and Egg Products"), "Fruits and Fruit Juices",
                 "food group list")
    story.shot("lookup-group")
    foods = p.find("list", "Foods")
    first = foods.getChildAtIndex(0).name
    p.click(foods.getChildAtIndex(0))
    p.click(p.find("push button", "Add"))
    table = p.find("table", "Food log").queryTable()
    check(table.nRows == 1, f"{table.nRows} rows after adding {first}")

    # Find one by typing, and add it with Enter.
    p.click(p.find("push button", "Add"))
    p.click(p.find("text", "Find by name"))
    p.type("egg")
    story.shot("lookup-find")
    enter_adds(p, "Food Log", "Foods")
    table = p.find("table", "Food log").queryTable()
    check(table.nRows == 2, f"{table.nRows} rows after adding a found food")
    egg = table.getAccessibleAt(1, 0).name
    note(re.match(r"Egg\b", egg), f"find 'egg' offered {egg} first")

    # Two portions of the first with the mouse, three of the egg with the keyboard.
    story.choose(table.getAccessibleAt(0, 1), "2", "portion list")
    p.click(table.getAccessibleAt(1, 0))
    p.press("Right", "space", "Down", "Down", "Return")
    story.shot("food-log")
    table = p.find("table", "Food log").queryTable()
    portions = [table.getAccessibleAt(r, 1).name for r in range(2)]
    note(portions == ["2", "3"], f"portions {portions}")
    if not wait_for_page(p, "Food Log"):
        note(False, "choosing a portion with the keyboard left the food log")
        p.press("Escape")
    p.click(p.find("push button", "Done"))
    return first, egg


def log_exercise(story):
    p = story.p
    p.click(p.find("push button", "Fitness Log"))
    p.click(p.find("push button", "Add"))
    p.click(p.find("text", "Find by name"))
    p.type("walking")
    enter_adds(p, "Fitness Log", "Exercises")
    story.shot("fitness-log")
    table = p.find("table", "Fitness log").queryTable()
    check(table.nRows == 1, f"{table.nRows} exercises after Enter in the lookup")
    exercise = table.getAccessibleAt(0, 0).name
    p.click(p.find("push button", "Done"))
    return exercise


def weigh_in(story):
    p = story.p
    p.click(p.find("push button", "Daily Chart"))
    field = p.find("text", "Current Weight")
    p.click(field)
    p.press("ctrl+a")
    p.type("178.5")
    story.shot("daily-chart")
    p.click(p.find("push button", "Done"))


def write_journal(story):
    p = story.p
    p.click(p.find("push button", "Journal"))
    tip = p.wait_window("Daily Tip", role="alert")
    story.inside(p.extents(tip), "the daily tip")
    p.click(p.find("push button", "OK"))
    p.click(p.find("push button", "Add"))
    p.click(p.find("text", "Subject"))
    p.type("Good day")
    p.click(p.find("text", "Journal entry"))
    p.type("Walked to work.")
    p.press("Return")
    p.type("Ate well.")
    story.shot("journal-entry")
    p.click(p.find("push button", "Done"))
    story.shot("journal")
    p.click(p.find("push button", "Done"))


def export_logs(story):
    p = story.p
    p.click(p.find("menu item", "Menu"))
    p.click(p.find("menu item", "Export..."))
    time.sleep(0.5)
    story.windows_inside("the export folder dialog")
    story.shot("export-dialog")
    os.makedirs(export, exist_ok=True)
    p.press("ctrl+a")
    p.type(export)
    p.press("Return")
    done = p.wait_window("Nutrava", role="alert")
    story.inside(p.extents(done), "the export message")
    p.click(p.find("push button", "OK"))


def quit_program(story):
    p = story.p
    p.close_window(p.active())
    try:
        story.proc.wait(timeout=5)
    except subprocess.TimeoutExpired:
        raise Failure("closing the home window did not end the program")


def read_csv(folder, name):
    with open(os.path.join(folder, name), newline="", encoding="utf-8") as f:
        return list(csv.DictReader(f))


def main():
    story = Story(start())
    try:
        first_day(story)
        first, egg = log_foods(story)
        exercise = log_exercise(story)
        weigh_in(story)
        write_journal(story)
        export_logs(story)
        quit_program(story)
    except Exception:
        story.p.shot("failure")
        story.proc.send_signal(signal.SIGKILL)
        raise

    # What the files hold, read with the program's own export.
    again = os.path.join(out, "export-after")
    subprocess.run([program, "export", "--data-dir", data, "--to", again, "--force"],
                   check=True, stdout=subprocess.DEVNULL)
    foods = read_csv(again, "foods.csv")
    note([(r["Food"], r["Quantity"]) for r in foods] == [(first, "2"), (egg, "3")],
          f"foods.csv holds {[(r['Food'], r['Quantity']) for r in foods]}")
    exercises = read_csv(again, "exercises.csv")
    note([r["Exercise"] for r in exercises] == [exercise], f"exercises.csv holds {exercises}")
    weights = read_csv(again, "weights.csv")
    note(len(weights) == 1 and abs(float(weights[0]["Pounds"]) - 178.5) < 0.05,
          f"weights.csv holds {weights}")
    journal = read_csv(again, "journal.csv")
    # The body keeps the multi-line field's line breaks (CR LF).
    note([(r["Subject"], r["Body"].replace("\r\n", "\n")) for r in journal] ==
          [("Good day", "Walked to work.\nAte well.")], f"journal.csv holds {journal}")
    exported = [d for d in os.listdir(export) if d.startswith("Nutrava export")]
    note(len(exported) == 1, f"the export folder holds {os.listdir(export)}")

    # Start again: the day is there.
    shots = story.p.shots
    story = Story(start())
    p = story.p
    p.shots = shots
    try:
        p.find("push button", "Food Log")
        story.screen = story.screen_rect()
        p.click(p.find("push button", "Food Log"))
        table = p.find("table", "Food log").queryTable()
        check(table.nRows == 2, f"{table.nRows} foods after a restart")
        story.shot("restarted")
        p.click(p.find("push button", "Done"))
        quit_program(story)
    except Exception:
        story.p.shot("failure")
        story.proc.send_signal(signal.SIGKILL)
        raise
    for problem in problems:
        print(f"walkthrough {screen}: {problem}", file=sys.stderr)
    if problems:
        sys.exit(1)
    print(f"walkthrough {screen}: passed, {story.p.shots} screenshots in {out}")


try:
    main()
except Failure as failure:
    for problem in problems + [str(failure)]:
        print(f"walkthrough {screen}: {problem}", file=sys.stderr)
    sys.exit(1)
