"""Opens every window of the program with the keys alone, in Italian and in English, and fails on any control
that takes the focus or can be clicked but has no accessible name, or has one in the other language.

Usage: walk.py PROGRAM [--lang it|en] [--dump]
  --lang   one language only (ctest runs the two as two tests, side by side); both when not given
  --dump   prints every window's tree as it is read
"""

import os
import re
import sys

sys.dont_write_bytecode = True  # the source tree stays as it is
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

# Tables are read as far as their headers and first rows: enough to see how a row reads.
TABLE_CHILDREN = 60
LANGUAGES = ("it", "en")
# Where a language is chosen, each is offered under its own name; the update window's boxes are named after
# the reference files they fetch, in every language.
ENDONYMS = {"Italiano", "English", "Database Lady", "Database Hunter", "Country Prefix", "Data", "Init"}


def normal(text):
    text = text.replace("&", "").strip()
    return re.sub(r"(\.\.\.|…|:)$", "", text).strip().casefold()


class Texts:
    """The string table as two languages: the texts that exist in one language only."""

    def __init__(self):
        table = harness.strings()
        self.ids = table
        every = {"it": set(), "en": set()}
        for italian, english in table.values():
            # A text without an English entry is shown in English too.
            every["it"].add(normal(italian))
            every["en"].add(normal(english or italian))
        self.only = {lang: every[lang] - every[other] for lang, other in (("it", "en"), ("en", "it"))}

    def text(self, ident, lang):
        italian, english = self.ids[ident]
        return italian if lang == "it" or not english else english

    def foreign(self, name, lang):
        other = "en" if lang == "it" else "it"
        return normal(name) in self.only[other] and name not in ENDONYMS


class Walk:
    def __init__(self, session, texts, dump):
        self.s = session
        self.texts = texts
        self.dump = dump
        self.problems = []
        self.seen = []

    def check(self, window, where):
        """Checks one window in the session's language and remembers its title."""
        P = harness.pyatspi
        lang = self.s.language
        self.seen.append("%s: %s" % (lang, harness.name(window)))
        if not harness.name(window):
            self.problems.append("%s (%s): the window has no title" % (where, lang))
        tables = []
        for node, depth, path in self._nodes(window):
            role = node.getRole()
            if role == P.ROLE_TABLE:
                tables.append(node)
            st = harness.states(node)
            name = harness.name(node)
            if self.dump:
                print("  " * depth + harness.describe(node) + (" F" if P.STATE_FOCUSABLE in st else ""))
            showing = P.STATE_SHOWING in st
            if role in (P.ROLE_TABLE_CELL, P.ROLE_TABLE_ROW_HEADER):
                continue  # a cell reads as its text, and an empty cell is blank; rows are checked apart
            menu = role in (P.ROLE_MENU_ITEM, P.ROLE_CHECK_MENU_ITEM, P.ROLE_RADIO_MENU_ITEM, P.ROLE_MENU)
            if not showing and not menu:
                continue
            interactive = P.STATE_FOCUSABLE in st or menu or role == P.ROLE_COLUMN_HEADER or _clickable(node)
            if not interactive:
                continue
            label = "%s (%s): %s %s" % (where, lang, harness.role_name(node), path)
            if not name.strip():
                self.problems.append(label + " has no name")
            elif self.texts.foreign(name, lang):
                self.problems.append(label + " is named %r, a text of the other language" % name)
        self._check_rows(tables, where)
        if window.getRole() == P.ROLE_ALERT and not any(
                harness.name(node) and node.getRole() == P.ROLE_LABEL for node, _, _ in self._nodes(window)):
            self.problems.append("%s (%s): the message has no text to read" % (where, lang))

    def _check_rows(self, tables, where):
        """Each row of a table reads as a whole, once: a screen reader reads it cell by cell, so each cell
        says its column's name before its value (the cells of a column begin alike), and no cell repeats
        the row as its description."""
        P = harness.pyatspi
        for table in tables:
            try:
                shape = table.queryTable()
            except NotImplementedError:
                continue
            columns = {}
            for i in range(min(table.childCount, TABLE_CHILDREN)):
                cell = table.getChildAtIndex(i)
                if cell is None or cell.getRole() != P.ROLE_TABLE_CELL or not harness.name(cell):
                    continue
                if _description(cell):
                    self.problems.append("%s (%s): the cells of %s repeat their row as a description" %
                                         (where, self.s.language, harness.describe(table)))
                    break
                columns.setdefault(shape.getColumnAtIndex(cell.getIndexInParent()), []).append(harness.name(cell))
            for column, names in columns.items():
                common = os.path.commonprefix(names) if len(set(names)) > 1 else ""
                if len(set(names)) > 1 and " " not in common:
                    self.problems.append("%s (%s): the cells of %s do not say their column's name: %r" %
                                         (where, self.s.language, harness.describe(table), names[:3]))
                    break

    def _nodes(self, root, depth=0, path=""):
        here = path + "/" + (harness.name(root) or harness.role_name(root))
        yield root, depth, here
        P = harness.pyatspi
        try:
            count = root.childCount
        except Exception:
            return
        if root.getRole() == P.ROLE_TABLE:
            count = min(count, TABLE_CHILDREN)
        for i in range(count):
            try:
                child = root.getChildAtIndex(i)
            except Exception:
                continue
            if child is not None:
                yield from self._nodes(child, depth + 1, here)


def _clickable(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return False
    names = {action.getName(i) for i in range(action.nActions)}
    # Value objects (scroll bars, progress bars) offer to step their value; that makes them no button.
    return bool(names - {"SetFocus", "setFocus", "Increase", "Decrease", ""})


def _description(node):
    try:
        return node.description or ""
    except Exception:
        return ""


def main(args):
    dump = "--dump" in args
    texts = Texts()
    problems = []
    seen = []
    languages = [args[args.index("--lang") + 1]] if "--lang" in args[:-1] else LANGUAGES
    for lang in languages:
        with harness.Session(harness.program(), language=lang, setup="log") as s:
            walk = Walk(s, texts, dump)
            registered_run(s, walk, texts)
            problems += walk.problems
            seen += walk.seen
        with harness.Session(harness.program(), language=lang, setup="first") as s:
            walk = Walk(s, texts, dump)
            first_run(s, walk, texts)
            problems += walk.problems
            seen += walk.seen
    print("windows read: %d\n  %s" % (len(seen), "\n  ".join(seen)))
    if problems:
        print("%d controls a screen reader cannot name rightly:\n  %s" % (len(problems), "\n  ".join(problems)))
        return 1
    return 0


def visit(s, walk, open_keys, where, known, inside=None, close=None):
    """Opens a window with the keys, checks it, lets `inside` visit what it opens, and closes it again."""
    open_keys()
    window = s.wait_window(".+", gone=known)
    walk.check(window, where)
    if inside:
        inside(window, known + [window])
    # A window may close with the one it opened (No in a question closes both).
    if is_open(s, window):
        leave(s, window, close)
    s.focus(next(w for w in reversed(known) if is_open(s, w)))
    return window


def is_open(s, window):
    return any(w == window for w in s.windows())


# Buttons that close a window without doing anything, in either language.
CLOSE_BUTTONS = ("Esci", "Exit", "Chiudi", "Close", "Annulla", "Cancel", "No", "OK")


def leave(s, window, button=None):
    """Closes a window by its closing button, else with Escape (message boxes)."""
    names = {n.casefold() for n in ([button] if isinstance(button, str) else list(button or CLOSE_BUTTONS))}
    P = harness.pyatspi
    control = s.find(window, pred=lambda n: n.getRole() == P.ROLE_PUSH_BUTTON and harness.name(n).casefold() in names
                     and P.STATE_SHOWING in harness.states(n) and P.STATE_SENSITIVE in harness.states(n))
    if control is not None:
        s.press(control)
    else:
        s.key("Escape")
    s.wait(lambda: not is_open(s, window), 5, "%s to close" % harness.describe(window))


def registered_run(s, walk, texts):
    lang = s.language
    t = lambda ident: texts.text(ident, lang)  # noqa: E731
    main = s.wait_window("Marigold Day", timeout=30)
    walk.check(main, "main window")
    known = [main]
    menu = lambda *names: (lambda: s.menu(main, *names))  # noqa: E731
    visit(s, walk, menu("Log", t(1025)), "logging window", known, inside=lambda w, k: logging_inside(s, walk, t, w, k))
    visit(s, walk, menu("Log", t(1026)), "select log", known)
    visit(s, walk, menu("Log", t(1030)), "send log", known)
    # Creating the log in use again asks whether to replace it.
    visit(s, walk, menu("Log", t(1027)), "new log", known,
          inside=lambda w, k: visit(s, walk, lambda: s.press(button(s, w, t(1118))), "log exists", k))
    visit(s, walk, menu("Log", t(1028)), "delete log question", known)
    visit(s, walk, menu(t(1141), t(1029)), "print", known,
          inside=lambda w, k: visit(s, walk, lambda: s.press(button(s, w, t(1641))), "print preview", k))
    visit(s, walk, menu(t(1006), t(1034)), "edit user", known)
    visit(s, walk, menu(t(1006), t(1341) + "..."), "automatic backups", known)
    # The updates are looked for where nothing answers: the window tells so in a message box.
    visit(s, walk, menu(t(1115), t(1147)), "updates", known,
          inside=lambda w, k: visit(s, walk, lambda: None, "update failure message", k))
    visit(s, walk, menu(t(1115), "Backup"), "backup", known)
    visit(s, walk, menu(t(1115), "Restore"), "restore", known)
    visit(s, walk, menu("?", t(1005)), "about", known)
    # The other language, switched in the running program: the main window's names follow it.
    other = "en" if lang == "it" else "it"
    s.menu(main, t(1006), t(1007), t(1008 if other == "it" else 1009))
    s.language = other
    s.wait(lambda: harness.name(s.find(main, role=harness.pyatspi.ROLE_MENU_BAR).getChildAtIndex(0))
           == texts.text(1000, other) and harness.name(button(s, main, texts.text(1025, other))), 5,
           "the main window in the other language")
    walk.check(main, "main window after the language switch")


def button(s, window, name):
    P = harness.pyatspi
    found = s.find(window, role=P.ROLE_PUSH_BUTTON, name=name)
    if found is None:
        raise AssertionError("%s has no button %r" % (harness.describe(window), name))
    return found


def logging_inside(s, walk, t, window, known):
    P = harness.pyatspi
    visit(s, walk, lambda: s.press(button(s, window, t(1406))), "country list", known)
    # A station in no roster: the window that says so.
    s.wait(lambda: (s.focused() or window).getRole() == P.ROLE_TEXT, 5, "the focus in the entry row")
    s.type("3")
    s.key("Return")
    s.type("2999")
    visit(s, walk, lambda: s.key("Return"), "station not found", known)


def first_run(s, walk, texts):
    splash = s.wait_window(".+", timeout=30)
    walk.check(splash, "first start")
    s.key("Return")
    choice = s.wait_window(".+", gone=[splash])
    walk.check(choice, "language choice")
    # Italian is offered first; English is one step down.
    if s.language == "en":
        s.key("Down")
    s.key("Return")
    form = s.wait_window(".+", gone=[splash, choice])
    walk.check(form, "registration")


if __name__ == "__main__":
    harness.run(main)
