#!/usr/bin/env python3
"""What Orca says in the windows around the day, by keys alone: the language box's value as the arrows
change it, the name and category the registration finds, the Select Log list's log, the profile of Edit
User, the Create Log switch as one Tab stop, and a contact of the grid heard once. Each is heard within a
bounded wait; a case that Orca misses may be taken once more, never passed without hearing it.

Usage: heard_windows.py PROGRAM --lang it|en
"""

import os
import re
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from heard_day import Day  # noqa: E402

TYPING = 120


def first_start(s, t, language):
    """The language window and the registration of a member found in the Lady roster."""
    splash = s.wait_window("QV_md")
    s.key("Return")
    s.wait_window("Lingua - Language", gone=(splash,))
    mark = s.mark()
    s.key("Down")
    s.hear(re.compile("^English"), mark, timeout=20)
    if language == "it":
        mark = s.mark()
        s.key("Up")
        s.hear(re.compile("^Italiano"), mark, timeout=20)
    s.key("Return")
    s.wait_window("QV_md", gone=(splash,))
    s.wait(lambda: harness.role_name(s.focused()) == "text", 20, "the prefix box focused")
    mark = s.mark()
    s.type("3", TYPING)
    s.key("Return")
    s.type("1058", TYPING)
    s.key("Return")
    s.hear("N. M\u00dcLLER, " + t(1119), mark, timeout=20)
    # The language box by Tab: its caption, then its value.
    for _ in range(10):
        mark = s.mark()
        s.key("Tab")
        if s.hear(re.compile("."), mark, timeout=10) and s.heard(t(1081), mark):
            break
    else:
        raise AssertionError("Tab never reached the language box")
    s.hear(re.compile("^" + ("Italiano" if language == "it" else "English") + r"\.?$"), mark, timeout=20)


def leave(s, t, window, main):
    """Closes a window with its Exit button, as Escape closes none of them."""
    s.press(s.find(window, role=harness.pyatspi.ROLE_PUSH_BUTTON, name=t(1001)))
    s.wait(lambda: window not in s.windows(), 20, "the window to close")
    s.wait_window("Marigold Day")


def logged(s, t, day):
    """Select Log's list, Edit User's profile, Create Log's Tab stops and a contact of the grid."""
    main = s.wait_window("Marigold Day")
    s.hear("Marigold Day")
    s.wait(lambda: harness.name(s.focused()) == t(1025), 20, "Open Log focused")
    mark = s.mark()
    day.menu(main, "Log", t(1026))
    window = s.wait_window(".*", gone=(main,))
    s.hear(re.compile(r"^5QV123_MD_L_2026\.Log"), mark, timeout=20)
    leave(s, t, window, main)

    day.menu(main, t(1006), t(1034))
    window = s.wait_window(".*", gone=(main,))
    # The profile by Tab, box by box.
    day.tab_until_said(re.escape("MARIA GRAZIA DELL'ORTO"))
    day.tab_until_said("^123")
    leave(s, t, window, main)

    day.menu(main, "Log", t(1027))
    window = s.wait_window(".*", gone=(main,))
    mark = s.mark()
    for _ in range(3):
        s.key("Tab")
    s.hear(re.compile("^" + re.escape(t(1118))), mark, timeout=20)
    # The caption is read with the window and with its switch, never as a button of its own.
    button = s.heard(re.compile(re.escape(t(1128)) + " (push button|pulsante)"), mark)
    if button:
        raise AssertionError("the paper-log caption is a Tab stop of its own: %r" % button)
    leave(s, t, window, main)

    # A contact of the grid: each value after its column's name, the contact heard once.
    day.focus_to("push button", t(1025))
    s.key("space")
    s.wait_window("Log  Stazione|Log  Station", timeout=30)
    for _ in range(20):
        s.key("Tab")
        focused = s.focused()
        if focused is not None and harness.role_name(focused) in ("table", "table cell"):
            break
    else:
        raise AssertionError("Tab never reached the grid")
    mark = s.mark()
    s.key("Up")
    s.hear(re.compile("4QV1919"), mark, timeout=20)
    said = s.heard(re.compile("4QV1919"), mark)
    if len(said) != 1 or not re.search(r"\w 4QV1919", said[0]):
        raise AssertionError("the contact was not heard once with its column names: %r" % said)


def main(args):
    language = args[args.index("--lang") + 1] if "--lang" in args else "en"
    table = harness.strings()
    column = 0 if language == "it" else 1

    def t(number):
        return table[number][column]

    for setup, case in (("first", lambda s, day: first_start(s, t, language)),
                        ("log", lambda s, day: logged(s, t, day))):
        for attempt in (1, 2):
            try:
                with harness.Session(harness.program(), language=language, setup=setup, orca=True) as s:
                    case(s, Day(s, language))
                break
            except AssertionError as failure:
                if attempt == 2:
                    raise
                print("%s: once more after: %s" % (setup, failure), file=sys.stderr)
    return 0


if __name__ == "__main__":
    harness.run(main)
