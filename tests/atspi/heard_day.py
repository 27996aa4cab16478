#!/usr/bin/env python3
"""A day of the award with a real screen reader, by keys alone: what Orca says is the judge. The log is
opened, a station worked already is typed and heard before Enter, a new station is looked up and written
and its number and the score are heard, the contact is cancelled and heard, the log is backed up and
restored and each outcome heard, and the program is left. Each outcome is said once, without asking.

Usage: heard_day.py PROGRAM --lang it|en [--transcript FILE]
With --transcript, what Orca said from the opening of the log to the contact written is saved to FILE.
"""

import os
import re
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

SEP = "  \u00b7  "
TYPING = 120  # milliseconds between keys, as an operator types
# Orca's own words, in either language.
BUTTON = " (push button|pulsante)"
LIST = "(List with|Elenco con)"


class Day:
    def __init__(self, session, language):
        self.s = session
        self.column = 0 if language == "it" else 1
        self.table = harness.strings()
        self.outcomes = []

    def t(self, number):
        return self.table[number][self.column]

    def once(self, text, since, what):
        """Heard exactly once after the mark: a screen reader that repeats an outcome is noise."""
        self.s.hear(text, since)
        times = self.s.heard(text, since)
        if len(times) != 1:
            raise AssertionError("%s was said %d times: %r" % (what, len(times), times))
        print("heard %s: %r" % (what, times[0]))
        self.outcomes.append((text, what))
        return times[0]

    def each_said_once(self):
        """At the end of the day: no outcome was said again later, unasked."""
        for text, what in self.outcomes:
            times = self.s.heard(text)
            if len(times) != 1:
                raise AssertionError("%s was said %d times in the day: %r" % (what, len(times), times))

    def menu(self, window, *names):
        """A menu entry by the keys alone. With a screen reader listening, Alt alone now and then opens the
        menu bar and closes it again before the arrows come; the path is then taken again."""
        for attempt in range(3):
            try:
                return self.s.menu(window, *names)
            except harness.Timeout as failure:
                if attempt == 2:
                    raise
                print("menu %r: %s; once more" % (names, failure))
                self.s.key("Escape")
                self.s.focus(window)

    def tab_until_said(self, pattern, limit=12):
        """Presses Tab until Orca says where the focus went and it matches, as a blind user tabs."""
        wanted = re.compile(pattern)
        for _ in range(limit):
            mark = self.s.mark()
            self.s.key("Tab")
            if self.s.hear(re.compile("."), mark, timeout=10) and self.s.heard(wanted, mark):
                return
            try:
                self.s.hear(wanted, mark, timeout=1)
                return
            except harness.Timeout:
                pass
        raise AssertionError("Tab never brought Orca to say %r" % pattern)

    def focus(self):
        """The focused control of the active window; a table's cells are not entered (the current one
        reads as focused even when the table is not, and they are slow to walk)."""
        for window in self.s.windows():
            if harness.pyatspi.STATE_ACTIVE not in harness.states(window):
                continue
            stack = [window]
            while stack:
                node = stack.pop()
                if node != window and harness.pyatspi.STATE_FOCUSED in harness.states(node):
                    return node
                if harness.role_name(node) == "table":
                    continue
                try:
                    children = [node.getChildAtIndex(i) for i in range(node.childCount)]
                except Exception:
                    continue
                stack.extend(child for child in reversed(children) if child is not None)
        return None

    def focus_to(self, role, name, keys=("Tab",), limit=40):
        """Presses the keys until the control has the focus, as a user tabs to it."""
        for _ in range(limit):
            node = self.focus()
            if node is not None and harness.role_name(node) == role and harness.name(node) == name:
                return node
            before = node
            self.s.key(*keys)
            try:
                self.s.wait(lambda: self.focus() not in (None, before), 3, "the focus to move")
            except harness.Timeout:
                pass
        raise AssertionError("the keys never reached %s %r" % (role, name))


def run_day(s, language, transcript_path):
    day = Day(s, language)
    t = day.t
    main = s.wait_window("Marigold Day")
    s.hear("Marigold Day")

    # The log in use opens from the button that has the focus.
    mark = s.mark()
    s.wait(lambda: harness.name(day.focus()) == t(1025), 20, "Open Log focused")
    s.key("space")
    log = s.wait_window("Log  Stazione|Log  Station", timeout=30)
    s.hear("Log  Sta", mark)
    contact_from = s.mark()

    # A station worked already: the line is spoken once the typing pauses, before any Enter.
    mark = s.mark()
    s.type("3", TYPING)
    s.key("Return")
    s.type("2567", TYPING)
    day.once(re.compile("^3QV2567" + SEP + ".*" + re.escape(t(1375).replace("%1", "2").replace("%2", "09:31"))),
             mark, "the duplicate")

    # Escape clears the row; the focus back in the prefix is said.
    s.key("Escape")
    s.wait(lambda: day.focus() is not None and day.focus().queryText().characterCount == 0, 10, "the row cleared")

    # A new station: Find says what the rosters hold, Enter in the report writes it.
    mark = s.mark()
    s.type("3", TYPING)
    s.key("Return")
    s.type("1058", TYPING)
    s.key("Return")
    # With the points it would add: the same station picked in the grid later is told without them.
    day.once(re.compile("^" + re.escape("3QV1058" + SEP) + ".*Lady: N. M\u00dcLLER" + re.escape(SEP) + r"\+\d+"),
             mark, "the Find")
    mark = s.mark()
    s.type("7", TYPING)
    s.key("Return")
    written = day.once(re.compile("^" + re.escape("3QV1058" + SEP + t(1450).replace("%1", "5") + SEP +
                                                  t(1451).replace("%1", "")) + r"\d+"), mark, "the contact written")
    if transcript_path:
        with open(transcript_path, "w", encoding="utf-8") as out:
            out.write("\n".join(s.said()[contact_from:]) + "\n")

    # Cancelled: the contact picked in the grid, Cancel the contact, Yes.
    grid = s.find(log, role=harness.pyatspi.ROLE_TABLE)
    day.focus_to("table", harness.name(grid))
    s.key("Up")
    s.key("Return")
    day.focus_to("push button", t(1408))
    s.key("space")
    question = s.wait_window(".*", gone=(main, log))
    yes = s.find(question, role=harness.pyatspi.ROLE_PUSH_BUTTON, pred=lambda b: harness.name(b) != "No")
    day.tab_until_said("^" + re.escape(harness.name(yes)) + " ")  # No is the default
    mark = s.mark()
    s.key("space")
    s.wait(lambda: question not in s.windows(), 20, "the question to go")
    s.wait_window("Log  Stazione|Log  Station")
    day.once(re.compile("^" + re.escape(t(1452)).replace("%1", r"\d") + re.escape(SEP + t(1451).replace("%1", "")) + r"\d+"),
             mark, "the cancel")

    # Out of the log; back up the log in use.
    day.focus_to("push button", t(1001))
    s.key("space")
    s.wait(lambda: log not in s.windows(), 20, "the logging window to close")
    s.wait_window("Marigold Day")
    day.menu(main, t(1115), "Backup")
    backup = s.wait_window("Backup", timeout=20)
    mark = s.mark()
    day.tab_until_said("^Backup" + BUTTON)
    s.key("space")
    day.once("Backup OK", mark, "the backup")
    s.wait(lambda: backup not in s.windows(), 20, "the Backup window to close")

    # Restore the copy just made: Continue, the copy in the list, Restore, Confirm.
    s.wait_window("Marigold Day")
    day.menu(main, t(1115), "Restore")
    restore = s.wait_window(".*", timeout=20, gone=(main,))
    day.tab_until_said("^" + re.escape(t(1134)) + BUTTON)
    s.key("space")
    files = s.wait(lambda: s.find(restore, role=harness.pyatspi.ROLE_LIST), 10, "the list of copies")
    s.wait(lambda: files.childCount > 0, 10, "a copy in the list")
    day.tab_until_said(LIST)
    s.key("Down")
    s.key("space")
    day.tab_until_said("^Restore" + BUTTON)
    mark = s.mark()
    s.key("space")
    day.once(t(1145), mark, "the restore's question")
    day.tab_until_said("^" + re.escape(t(1144)) + BUTTON)
    mark = s.mark()
    s.key("space")
    day.once(t(1146), mark, "the restore")
    s.wait(lambda: restore not in s.windows(), 30, "the Restore window to close")

    # The day ends with Exit on the main window; the log changed, so a backup is offered first: no.
    s.wait_window("Marigold Day")
    day.focus_to("push button", t(1001))
    mark = s.mark()
    s.key("space")
    s.hear(re.compile("^Backup "), mark)
    day.tab_until_said("^" + re.escape(t(1001)) + BUTTON)
    s.key("space")
    harness._poll(lambda: not s.alive(), 30, "the program to end")
    day.each_said_once()
    if s._app_process.returncode != 0:
        raise AssertionError("the program ended with status %s" % s._app_process.returncode)
    return written


def main(args):
    language = args[args.index("--lang") + 1] if "--lang" in args else "en"
    transcript = args[args.index("--transcript") + 1] if "--transcript" in args else None
    # Orca drops notifications it has queued when it falls behind (a loaded machine): the day may be taken
    # once more, from the start; it never passes without every outcome heard.
    for attempt in (1, 2):
        try:
            with harness.Session(harness.program(), language=language, setup="log", orca=True) as s:
                run_day(s, language, transcript)
                print("Orca said:\n  " + "\n  ".join(s.said()))
            return 0
        except AssertionError as failure:
            if attempt == 2:
                raise
            print("first day failed, once more: %s" % failure, file=sys.stderr)
    return 1


if __name__ == "__main__":
    harness.run(main)
