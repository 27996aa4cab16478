#!/usr/bin/env python3
"""Every action of the logging window is reached and done with keys alone, as a screen-reader user works:
the window is opened through the menu with Alt and its mnemonic, Tab goes round every control that the
entry's state enables, and each command is pressed with Return or Space. The focus never stays behind in
a control that Tab cannot leave.

Usage: keyboard_only.py PROGRAM
"""

import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

LOG_WINDOW = "Log  Station"
# The spoken names of the logging window's controls (English), by their string ids.
NAMES = {"find": 1045, "write": 1407, "del": 1408, "clear": 1409, "exit": 1001, "hunter": 1140,
         "lady": 1139, "unknown": 1129, "countries": 1406, "generic": 1405}


def label(node):
    return "%s %r" % (harness.role_name(node), harness.name(node))


class Keys:
    def __init__(self, session):
        self.s = session

    def focus(self):
        """The focused control of the active window. A table's current cell reads as focused even when
        the table is not, and a long table is slow to walk, so tables are not entered."""
        for window in self.s.windows():
            if harness.pyatspi.STATE_ACTIVE not in harness.states(window):
                continue
            stack = [window]
            while stack:
                node = stack.pop()
                if harness.pyatspi.STATE_FOCUSED in harness.states(node) and node != window:
                    return node
                if harness.role_name(node) == "table":
                    continue
                try:
                    children = [node.getChildAtIndex(i) for i in range(node.childCount)]
                except Exception:
                    continue
                stack.extend(child for child in reversed(children) if child is not None)
        return None

    def press(self, key):
        """Presses the key and waits until the focus shows where it went (it may stay where it was)."""
        before = self.focus()
        self.s.key(key)
        try:
            return self.s.wait(lambda: (lambda now: now if now is not None and now != before else None)(
                self.focus()), timeout=2, what="the focus to move")
        except harness.Timeout:
            return self.focus()

    def round(self):
        """What Tab visits from the focus until it is back there."""
        start = self.focus()
        visited = []
        for _ in range(40):
            node = self.press("Tab")
            if node is None:
                raise AssertionError("the focus was lost after %s" % visited)
            visited.append(label(node))
            if node == start:
                return visited
        raise AssertionError("Tab never came back to %s: %s" % (label(start), visited))

    def tab_to(self, role, name):
        for _ in range(40):
            node = self.focus()
            if node is not None and harness.role_name(node) == role and harness.name(node) == name:
                return node
            self.press("Tab")
        raise AssertionError("Tab never reached %s %r" % (role, name))


def require(visited, wanted, when):
    missing = [item for item in wanted if item not in visited]
    if missing:
        raise AssertionError("%s, Tab never reached %s; it went %s" % (when, missing, visited))
    print("%s: %d stops, all of %s" % (when, len(visited), wanted))


def spoken(key):
    return harness.strings()[NAMES[key]][1]


def button(key):
    return "push button %r" % spoken(key)


def main(args):
    with harness.Session(harness.program(), language="en", setup="log") as s:
        main_window = s.wait_window("Marigold Day")
        keys = Keys(s)
        s.key("alt+l")
        s.key("o")  # Log > Open Log
        log = s.wait_window(LOG_WINDOW)

        # Idle: the commands that need no entry, the switch, the country list and the grid.
        grid = "table %r" % harness.name(s.find(log, role=harness.pyatspi.ROLE_TABLE))
        require(keys.round(), [button("find"), button("clear"), button("exit"), button("countries"),
                               "check box %r" % spoken("generic"), grid], "idle")

        # A generic station opens the club, the category buttons, Name Unknown and Write.
        keys.tab_to("check box", spoken("generic"))
        s.key("space")
        s.wait(lambda: harness.pyatspi.STATE_CHECKED in harness.states(keys.focus()) or
               harness.pyatspi.STATE_CHECKED in harness.states(
                   s.find(log, role=harness.pyatspi.ROLE_CHECK_BOX)), what="the switch ticked")
        require(keys.round(), [button("write"), button("hunter"), button("lady"), button("unknown")], "generic")
        keys.tab_to("push button", spoken("lady"))
        s.key("Return")
        # The category chosen: "L" cannot be pressed again, "H" can.
        s.wait(lambda: harness.pyatspi.STATE_ENABLED not in harness.states(
            s.find(log, role=harness.pyatspi.ROLE_PUSH_BUTTON, name=spoken("lady"))), what="L to be chosen")
        keys.tab_to("push button", spoken("clear"))
        s.key("space")

        # The country list opens with Return and goes with its own Exit.
        keys.tab_to("push button", spoken("countries"))
        s.key("Return")
        countries = s.wait(lambda: next((w for w in s.windows() if w != main_window and w != log), None),
                           what="the country list")
        s.wait_window(harness.name(countries))
        keys.tab_to("push button", spoken("exit"))
        s.key("Return")
        s.wait(lambda: countries not in s.windows(), what="the country list to close")
        s.wait_window(LOG_WINDOW)

        # A contact picked in the grid with Up and Return, as a click picks it; then Del. asks.
        keys.tab_to("table", harness.name(s.find(log, role=harness.pyatspi.ROLE_TABLE)))
        s.key("Up")
        s.key("Return")
        require(keys.round(), [button("del"), button("write")], "a contact picked")
        keys.tab_to("push button", spoken("del"))
        s.key("space")
        question = s.wait_window("Delete")
        s.key("Escape")  # No: nothing is cancelled
        s.wait(lambda: question not in s.windows(), what="the question to go")
        s.wait_window(LOG_WINDOW)

        # Exit closes the window; the main window has the focus again.
        keys.tab_to("push button", spoken("exit"))
        s.key("Return")
        s.wait(lambda: log not in s.windows(), what="the logging window to close")
        s.wait_window("Marigold Day")
    return 0


if __name__ == "__main__":
    harness.run(main)
