#!/usr/bin/env python3
"""What a sighted operator reads from the logging window's changing line reaches a screen reader as
accessibility events on a status bar, each within a second of the key that caused it: a station worked
already, a new station found in the rosters, the contact written with its number and the score. The clock
ticking every second is no news.

Usage: spoken_events.py PROGRAM
"""

import os
import re
import sys
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

LIMIT = 1.0  # seconds from the key to the event


class Ear:
    """Every name and text change the program announces, with the time it arrived."""

    def __init__(self):
        self.heard = []

    def __call__(self, event):
        try:
            data = event.any_data if isinstance(event.any_data, str) else ""
            self.heard.append((time.monotonic(), event.type, harness.role_name(event.source),
                               harness.name(event.source), data))
        except Exception:
            pass

    def said(self, since, words):
        """The first time after `since` that a status bar brought the words as its new text (the event
        carries the text itself; its name changes with it)."""
        for when, kind, role, name, data in self.heard:
            if when >= since and role == "status bar" and kind.startswith("object:text-changed:insert"):
                if all(word in data for word in words) and all(word in name for word in words):
                    return when
        return None

    def dump(self):
        return "\n".join("  %.2f %s %s %r %r" % entry for entry in self.heard[-30:])


def expect(session, ear, since, *words):
    when = session.wait(lambda: ear.said(since, words), timeout=5,
                        what="a status bar saying %r\nheard:\n%s" % (words, ear.dump()))
    late = when - since
    if late > LIMIT:
        raise AssertionError("%r was said %.2f s after the key, more than %.1f s" % (words, late, LIMIT))
    print("heard %r after %.2f s" % (" ".join(words), late))


def main(args):
    ear = Ear()
    with harness.Session(harness.program(), language="en", setup="log") as s:
        s.wait_window("Marigold Day")
        harness.pyatspi.Registry.registerEventListener(ear, "object:property-change:accessible-name",
                                                       "object:text-changed")
        s.key("alt+l")
        s.key("o")  # Log > Open Log
        s.wait_window("Log  Station")
        opened = time.monotonic()

        # A station worked already: said once the typing pauses, before Enter.
        s.type("3")
        s.key("Return")
        s.type("2567")
        expect(s, ear, time.monotonic(), "3QV2567", "worked at n. 2, 09:31")
        s.key("Escape")

        # A new station: Find says what the rosters hold at once.
        s.type("3")
        s.key("Return")
        s.type("1058")
        since = time.monotonic()
        s.key("Return")
        expect(s, ear, since, "3QV1058", "Lady: N. M\u00dcLLER")

        # Written: its number and the score.
        s.type("7")
        since = time.monotonic()
        s.key("Return")
        expect(s, ear, since, "3QV1058", "written as n. 5", "score")

        # The clock showed a new second all along; it is news at most at a new minute.
        stamp = re.compile(r"\d\d/\d\d/\d{4} \d\d:\d\d")
        ticks = [e for e in ear.heard if e[0] >= opened and e[2] == "label" and stamp.search(e[3])]
        if len(ticks) > 2:
            raise AssertionError("the clock was announced %d times in %.0f s" %
                                 (len(ticks), time.monotonic() - opened))
    return 0


if __name__ == "__main__":
    harness.run(main)
