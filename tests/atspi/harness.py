"""Drives QV_md as a screen reader sees it: through the AT-SPI accessibility bus.

A test script does (beside this file in tests/atspi/):

    import os, sys
    sys.dont_write_bytecode = True
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    import harness

    def main(args):                      # args: what followed the program path on the command line
        with harness.Session(harness.program(), language="en", setup="log") as s:
            main = s.wait_window("Marigold Day")        # a top-level window of the program, by title
            s.key("alt+l")                              # keys go to the focused window (xdotool names)
            s.type("3QV2567")
            s.wait(lambda: s.find(main, name="Log"), what="the Log button")
            for node, depth in s.walk(main): ...        # every object below a window
        return 0                                        # the exit status; harness.SKIP to skip

    if __name__ == "__main__":
        harness.run(main)

Command line of a script: `SCRIPT PROGRAM [ARGS...]`, PROGRAM the built QV_md. `run` starts the script again
inside a private D-Bus session (dbus-run-session) when it is not in one, and exits with SKIP (77, ctest's
SKIP_RETURN_CODE) with the reason on stderr when the session, the accessibility bus or the virtual display
cannot start. SIGTERM (a ctest timeout) stops everything started, as a failure does. Each process below is
started by the harness and stopped by its PID however the test ends:
  - the accessibility bus (at-spi-bus-launcher --launch-immediately), once per script, by `run`;
  - per Session, a virtual display (Xvfb, the display number chosen by the server itself);
  - the program on that display, with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1, in a scratch portable program folder
    holding the shipped data (`data/`) and, after `setup`:
      "first"       nothing more: the first start asks to register;
      "registered"  a registered station (5QV123), no log: the main window opens;
      "log"         that station with a Lady log of four contacts in use.
    `language` is "it" or "en" (Data/Lang.dat).

With orca=True a Session also starts, before the program, a screen reader on the same display and bus:
Orca (package orca) speaking through its own speech-dispatcher, whose only voice is a synthesis module that
makes no sound (it plays into libao's null device: there is no sound card here, and Orca would wait on its first
word for one). Orca's own
words follow `language` (the it_IT.UTF-8 locale, made by the install step). Orca writes what it says into
its debug file, line by line; the Session reads it:
  said()                     every utterance so far, oldest first (keys echoed are left out)
  mark()                     a point in that list: what is said after it is news
  hear(text, since, timeout=30)  waits until an utterance after `since` holds `text` (a regular expression
                             when it is one compiled) and returns it
  heard(text, since)         the utterances after `since` that hold `text`

Session methods (all waits are bounded polls on a condition, never fixed sleeps):
  app()                      the program's application object (waits for it on the bus)
  windows()                  its top-level windows that are showing
  wait_window(title, timeout=30, gone=())  a showing top-level window whose name matches the regular
                             expression `title` (full match), other than those in `gone`; its keyboard focus
                             is given to it so that keys reach it
  focus(window)              gives the keyboard focus back to a window (after the one above it closed)
  wait(condition, timeout=10, what="")     polls condition() until it returns a true value and returns it;
                             raises Timeout naming `what`
  key(*keys), type(text, delay=20)  X key presses (xdotool syntax: "Return", "alt+f", "Tab") to the focused window
  menu(window, *names)       opens a menu path of the window's menu bar with the keys alone (Alt, arrows,
                             Enter), e.g. menu(main, "Log", "Open Log"); names as the menus show them (an &
                             marking a mnemonic may stay in: names here and in find() are compared without it)
  press(obj)                 gives the keyboard focus to a control and presses Space on it
  focused()                  the object that has the keyboard focus in the active window, or None
  find(root, role=None, name=None, pred=None, tables=False)   the first object below root that matches, or
                             None; tables=True looks into tables too (their cells are many and slow to read)
  walk(root, tables=True)    (object, depth) for root and every object below it, showing or not
  alive()                    the program is still running
  stop()                     stops the program and the display (also done on leaving the `with`)

Module helpers: role_name(obj), name(obj), states(obj) (a set of pyatspi state constants), describe(obj),
strings() (the string table: {id: (italian, english)}), SOURCE (the source tree), SKIP, Timeout.
pyatspi itself is imported inside the session and available as `harness.pyatspi` once `run` calls main.
Events: listeners registered with pyatspi.Registry.registerEventListener(callback, "object:text-changed",
...) are called while wait() polls, or whenever pump() is called; no main loop is needed.
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77
SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
_SESSION_MARK = "QVMD_ATSPI_SESSION"

pyatspi = None  # imported inside the D-Bus session
_bus = None  # the accessibility bus launcher, one per script


class Timeout(AssertionError):
    pass


def skip(reason):
    print("SKIP: " + reason, file=sys.stderr)
    sys.exit(SKIP)


def program():
    if len(sys.argv) < 2:
        print("usage: %s PROGRAM [ARGS...]" % sys.argv[0], file=sys.stderr)
        sys.exit(2)
    return os.path.abspath(sys.argv[1])


def _terminate_on_signal():
    """SIGTERM (a test timeout) unwinds like an error, so every process started is stopped on the way."""
    def handler(number, frame):
        raise SystemExit(128 + number)

    signal.signal(signal.SIGTERM, handler)
    signal.signal(signal.SIGHUP, handler)


def run(main):
    """Runs main(args) inside a private D-Bus session and exits with its status."""
    _terminate_on_signal()
    if os.environ.get(_SESSION_MARK) is None:
        runner = shutil.which("dbus-run-session")
        if not runner:
            skip("dbus-run-session is missing (package dbus-daemon)")
        started = tempfile.NamedTemporaryFile(prefix="qvmd-atspi-started-", delete=False)
        started.close()
        os.unlink(started.name)
        # The accessibility bus puts its socket in the runtime folder (else in ~/.cache): a private one keeps
        # scripts that run at once each on its own bus.
        runtime = tempfile.mkdtemp(prefix="qvmd-atspi-runtime-")
        env = dict(os.environ, **{_SESSION_MARK: started.name, "XDG_RUNTIME_DIR": runtime,
                                  "PYTHONDONTWRITEBYTECODE": "1"})
        # The system's Python: pyatspi is a Debian package, not in a private interpreter's path.
        python = "/usr/bin/python3" if os.path.exists("/usr/bin/python3") else sys.executable
        # A group of its own, so that a stop reaches the session and everything the script started in it.
        child = subprocess.Popen([runner, "--", python, os.path.abspath(sys.argv[0])] + sys.argv[1:], env=env,
                                 start_new_session=True)
        try:
            status = child.wait()
        except BaseException:
            _stop_group(child)
            raise
        finally:
            shutil.rmtree(runtime, ignore_errors=True)
        ran = os.path.exists(started.name)
        if ran:
            os.unlink(started.name)
        elif status != 0:
            skip("the D-Bus session did not start (dbus-run-session exited with %d)" % status)
        sys.exit(status)
    with open(os.environ[_SESSION_MARK], "w"):
        pass
    _start_bus()
    status = 1
    try:
        status = main(sys.argv[2:])
    finally:
        _stop(_bus)
    sys.exit(status or 0)


def _stop_group(process, grace=5.0):
    if process.poll() is not None:
        return
    os.killpg(process.pid, signal.SIGTERM)
    try:
        process.wait(timeout=grace)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()


def _die_with_parent():
    """Run in a started child: the system stops it should the script itself die without cleaning up (a
    crash inside a library is no exception, so no `finally` runs)."""
    import ctypes

    pr_set_pdeathsig = 1
    ctypes.CDLL(None).prctl(pr_set_pdeathsig, signal.SIGTERM)


def _stop(process, grace=3.0):
    if process is None or process.poll() is not None:
        return
    process.send_signal(signal.SIGTERM)
    try:
        process.wait(timeout=grace)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def _poll(condition, timeout, what):
    deadline = time.monotonic() + timeout
    delay = 0.02
    while True:
        pump()
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise Timeout("waited %.0f s for %s" % (timeout, what or "a condition"))
        time.sleep(delay)
        delay = min(delay * 1.5, 0.1)


def pump():
    """Lets libatspi handle the events that arrived, so its cache and listeners are current."""
    if pyatspi is None:
        return
    from gi.repository import GLib

    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def _dbus(*arguments):
    probe = subprocess.run(["dbus-send", "--session", "--print-reply"] + list(arguments), capture_output=True,
                           text=True)
    return probe.stdout if probe.returncode == 0 else ""


def _start_bus():
    global _bus, pyatspi
    if not os.access(BUS_LAUNCHER, os.X_OK):
        skip(BUS_LAUNCHER + " is missing (package at-spi2-core)")
    import importlib.util

    if importlib.util.find_spec("pyatspi") is None:
        skip("pyatspi is missing (package python3-pyatspi)")
    _bus = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"], stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, preexec_fn=_die_with_parent)

    def bus_address():
        if _bus.poll() is not None:
            return "gone"
        # Asked only once the launcher owns its name: asking before would have D-Bus start a second one.
        if "true" not in _dbus("--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
                               "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"):
            return None
        return "ok" if "string" in _dbus("--dest=org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress") else None

    try:
        state = _poll(bus_address, 10, "the accessibility bus")
    except Timeout:
        state = "gone"
    if state != "ok":
        _stop(_bus)
        skip("the accessibility bus did not start")
    # Imported once the bus is there: the library connects to it on the way.
    import pyatspi as module

    pyatspi = module


def _layout(folder, language, setup):
    for sub in ("Data", "Logs", "Backup"):
        os.makedirs(os.path.join(folder, sub))
    data = os.path.join(SOURCE, "data")
    for entry in os.listdir(data):
        shutil.copy(os.path.join(data, entry), os.path.join(folder, "Data"))

    def write(path, *lines):
        with open(os.path.join(folder, path), "wb") as out:
            out.write("".join(line + "\r\n" for line in lines).encode("cp1252"))

    write("Data/Lang.dat", "1000" if language == "en" else "0")
    # Updates are looked for on this machine only, on a port where nothing answers.
    settings = os.path.join(folder, "Data", "Md.ini")
    with open(settings, "rb") as source:
        lines = source.read().decode("cp1252").split("\r\n")
    if len(lines) > 6:
        lines[6] = "http://127.0.0.1:9/"
        with open(settings, "wb") as out:
            out.write("\r\n".join(lines).encode("cp1252"))
    name = "MARIA GRAZIA DELL'ORTO"
    if setup in ("registered", "log"):
        write("Data/Prime.dat", "1", "1", "5QV123", name, "01/05/2026")
        write("Data/Use.dat", "0", "0", "L", "0", "2026", "5QV123", name, "5", "QV", "123", "1")
    if setup == "log":
        write("Data/Use.dat", "1", "5QV123_MD_L_2026.Log", "L", "N", "2026", "5QV123", name, "5", "QV", "123", "1")
        write("Logs/5QV123_MD_L_2026.Log", "##L", "#5QV123", "#" + name, "#N", "#1", "#01/05/2026", "#5", "#QV",
              "#123", "#2026", "#LOG",
              "1>5>1QV408>SARA FERRE>H>Canada>01/05/2026 08:12:40>N>",
              "2>9>3QV2567>CATERINA BIANCHI>H>Agalega & St. Brandon>01/05/2026 09:31:05>N>",
              "3>4>9QV467>MAITE PERO>L>Andaman & Nicobar Islands>01/05/2026 10:02:17>N>",
              "4>12>4QV1919>G. DE ROSSI>H>Aland Islands>01/05/2026 11:45:51>N>")
        write("Logs/Log.dat", "5", "3", "1", "4", "0")


ORCA = "/usr/bin/orca"
_SPOKEN = re.compile(r"^[0-9:.]+ - SPEECH OUTPUT: '(.*)'( ?)\{")
# A synthesis module that says nothing at once, for every language Orca asks for.
_SILENT_MODULE = """GenericExecuteSynth "true"
AddVoice "en" "MALE1" "en"
AddVoice "it" "MALE1" "it"
GenericLanguage "en" "en" "utf-8"
GenericLanguage "it" "it" "utf-8"
"""
_SPEECHD_CONF = """AddModule "silent" "sd_generic" "silent.conf"
DefaultModule silent
LanguageDefaultModule "en" "silent"
LanguageDefaultModule "it" "silent"
AudioOutputMethod "libao"
LogLevel 1
"""


def locale_for(language):
    """The locale Orca speaks in for the program's language, when the system has it."""
    wanted = "it_IT.UTF-8" if language == "it" else "en_US.UTF-8"
    try:
        known = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.lower().split()
    except OSError:
        known = []
    short = wanted.lower().replace("utf-8", "utf8")
    return wanted if short in known or wanted.lower() in known else "C.UTF-8"


class Session:
    def __init__(self, program_path, language="it", setup="log", extra_env=None, orca=False):
        if pyatspi is None:
            raise RuntimeError("a Session runs inside harness.run")
        self.language = language
        self._work = tempfile.mkdtemp(prefix="qvmd-atspi-")
        self.folder = os.path.join(self._work, "QV_md")
        self._xvfb = None
        self._app_process = None
        self._app = None
        self.display = None
        self._orca = None
        self._speechd = None
        self._said = []
        self._transcript_at = 0
        self._partial = b""
        try:
            _layout(self.folder, language, setup)
            executable = os.path.join(self.folder, "QV_md")
            try:
                os.link(program_path, executable)
            except OSError:
                shutil.copy2(program_path, executable)
            self._start_display()
            if orca:
                self._start_orca()
            env = dict(os.environ)
            env.pop("QT_QPA_PLATFORM", None)
            env.update({
                "DISPLAY": self.display,
                "QT_QPA_PLATFORM": "xcb",
                "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
                "QT_ACCESSIBILITY": "1",
                "XDG_CONFIG_HOME": os.path.join(self._work, "config"),
                "XDG_DATA_HOME": os.path.join(self._work, "share"),
                "ASAN_OPTIONS": "detect_leaks=0",
                "LC_ALL": "C.UTF-8",
            })
            env.update(extra_env or {})
            self._log = open(os.path.join(self._work, "program.log"), "wb")
            self._app_process = subprocess.Popen([executable], cwd=self._work, env=env, stdout=self._log,
                                                 stderr=subprocess.STDOUT, preexec_fn=_die_with_parent)
        except BaseException:
            self.stop()
            raise

    def _start_display(self):
        if not shutil.which("Xvfb"):
            skip("Xvfb is missing (package xvfb)")
        if not shutil.which("xdotool"):
            skip("xdotool is missing (package xdotool)")
        read_end, write_end = os.pipe()
        self._xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                                       "-nolisten", "tcp"], pass_fds=(write_end,), stdout=subprocess.DEVNULL,
                                      stderr=subprocess.DEVNULL, preexec_fn=_die_with_parent)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()  # ends when the server is ready or gone
        if not number:
            skip("the virtual display did not start")
        self.display = ":" + number

    def _start_orca(self):
        if not os.access(ORCA, os.X_OK):
            skip("Orca is missing (package orca)")
        speechd = shutil.which("speech-dispatcher")
        if not speechd:
            skip("speech-dispatcher is missing (package speech-dispatcher)")
        config = os.path.join(self._work, "orca-config")
        modules = os.path.join(config, "speech-dispatcher", "modules")
        os.makedirs(modules)
        with open(os.path.join(config, "speech-dispatcher", "speechd.conf"), "w") as out:
            out.write(_SPEECHD_CONF)
        with open(os.path.join(modules, "silent.conf"), "w") as out:
            out.write(_SILENT_MODULE)
        # Even a module that says nothing opens the audio output at its start: libao's null device.
        home = os.path.join(self._work, "orca-home")
        os.makedirs(home)
        with open(os.path.join(home, ".libao"), "w") as out:
            out.write("default_driver=null\n")
        runtime = os.environ.get("XDG_RUNTIME_DIR") or self._work
        socket = os.path.join(runtime, "speech-dispatcher", "speechd.sock")
        env = dict(os.environ, DISPLAY=self.display, XDG_CONFIG_HOME=config, HOME=home,
                   XDG_DATA_HOME=os.path.join(self._work, "orca-data"), LANG=locale_for(self.language),
                   LANGUAGE="", LC_ALL="", SPEECHD_ADDRESS="unix_socket:" + socket, GTK_A11Y="none",
                   NO_AT_BRIDGE="1")
        env.pop("LC_ALL")
        env.pop("LANGUAGE")
        self._speechd_log = open(os.path.join(self._work, "speechd.log"), "wb")
        self._speechd = subprocess.Popen([speechd, "--run-single", "--timeout", "0", "--communication-method",
                                          "unix_socket", "--socket-path", socket, "--config-dir",
                                          os.path.join(config, "speech-dispatcher"), "--log-dir", self._work],
                                         env=env, stdout=self._speechd_log, stderr=subprocess.STDOUT,
                                         preexec_fn=_die_with_parent)
        try:
            _poll(lambda: os.path.exists(socket) or self._speechd.poll() is not None, 15, "speech-dispatcher")
        except Timeout:
            skip("speech-dispatcher did not start")
        if self._speechd.poll() is not None:
            skip("speech-dispatcher ended at its start")
        self.transcript = os.path.join(self._work, "orca-debug.out")
        self._orca_log = open(os.path.join(self._work, "orca.log"), "wb")
        launcher = os.path.join(os.path.dirname(os.path.abspath(__file__)), "orca_launch.py")
        python = "/usr/bin/python3" if os.path.exists("/usr/bin/python3") else sys.executable
        self._orca = subprocess.Popen([python, launcher, ORCA, self.transcript, "--user-prefs",
                                       os.path.join(self._work, "orca-prefs")], env=env, stdout=self._orca_log,
                                      stderr=subprocess.STDOUT, preexec_fn=_die_with_parent)

        # Ready once it has said that it is on (in its own language).
        def started():
            if self._orca.poll() is not None:
                raise AssertionError("Orca ended at its start (status %s)" % self._orca.returncode)
            return self.said()

        _poll(started, 60, "Orca to start")

    def said(self):
        """Every utterance Orca made so far; keys it echoed are left out."""
        if self._orca is None:
            return []
        try:
            with open(self.transcript, "rb") as source:
                source.seek(self._transcript_at)
                data = source.read()
        except OSError:
            return self._said
        self._transcript_at += len(data)
        data = self._partial + data
        lines = data.split(b"\n")
        self._partial = lines.pop()
        for line in lines:
            match = _SPOKEN.match(line.decode("utf-8", "replace"))
            if match and not match.group(2):
                self._said.append(match.group(1))
        return self._said

    def mark(self):
        return len(self.said())

    def heard(self, text, since=0):
        found = text.search if hasattr(text, "search") else (lambda said: text in said)
        return [said for said in self.said()[since:] if found(said)]

    def hear(self, text, since=0, timeout=30):
        what = getattr(text, "pattern", text)
        try:
            return self.wait(lambda: (self.heard(text, since) or [None])[0], timeout, "Orca to say %r" % what)
        except Timeout:
            raise Timeout("Orca never said %r; after the mark it said:\n  %s" %
                          (what, "\n  ".join(self.said()[since:]) or "nothing"))

    def __enter__(self):
        return self

    def __exit__(self, kind, value, trace):
        if kind is not None and self._app_process is not None:
            self._show_program_log()
        self.stop()
        return False

    def _show_program_log(self):
        try:
            self._log.flush()
            with open(self._log.name, "rb") as log:
                text = log.read().decode("utf-8", "replace").strip()
            if text:
                print("--- program output\n" + text[-4000:] + "\n---", file=sys.stderr)
            if self._orca is not None:
                print("--- Orca said\n  " + "\n  ".join(self.said()[-40:]) + "\n---", file=sys.stderr)
        except (OSError, AttributeError):
            pass

    def stop(self):
        # QVMD_ORCA_DEBUG=FILE keeps Orca's whole debug file, to see why it said what it said.
        keep = os.environ.get("QVMD_ORCA_DEBUG")
        if keep and getattr(self, "transcript", None) and os.path.exists(self.transcript):
            shutil.copy(self.transcript, keep)
        _stop(self._app_process)
        _stop(getattr(self, "_orca", None))
        _stop(getattr(self, "_speechd", None))
        _stop(self._xvfb)
        self._app_process = self._xvfb = self._orca = self._speechd = None
        for log in ("_orca_log", "_speechd_log"):
            if getattr(self, log, None):
                getattr(self, log).close()
        if getattr(self, "_log", None):
            self._log.close()
        shutil.rmtree(self._work, ignore_errors=True)

    def alive(self):
        return self._app_process is not None and self._app_process.poll() is None

    def app(self):
        if self._app is None:
            def lookup():
                if not self.alive():
                    raise AssertionError("the program ended (status %s)" % self._app_process.returncode)
                desktop = pyatspi.Registry.getDesktop(0)
                # The list of programs is read afresh: a cached one follows only the events handled so far.
                desktop.clear_cache()
                for i in range(desktop.childCount):
                    child = desktop.getChildAtIndex(i)
                    try:
                        if child is not None and child.get_process_id() == self._app_process.pid:
                            return child
                    except Exception:
                        continue
                return None

            try:
                self._app = _poll(lookup, 60, "the program on the accessibility bus")
            except Timeout:
                desktop = pyatspi.Registry.getDesktop(0)
                seen = [describe(desktop.getChildAtIndex(i)) for i in range(desktop.childCount)]
                raise Timeout("the program (PID %d, %s) did not appear on the accessibility bus; it holds %s" %
                              (self._app_process.pid, "running" if self.alive() else "ended", seen or "nothing"))
            # Read every property from the program, never from a cache that events may not have updated.
            from gi.repository import Atspi

            self._app.set_cache_mask(Atspi.Cache.NONE)
        return self._app

    def windows(self):
        app = self.app()
        app.clear_cache()
        found = []
        for i in range(app.childCount):
            child = app.getChildAtIndex(i)
            if child is not None and pyatspi.STATE_SHOWING in states(child):
                found.append(child)
        return found

    def wait(self, condition, timeout=10, what=""):
        def checked():
            if not self.alive():
                raise AssertionError("the program ended (status %s) while waiting for %s" %
                                     (self._app_process.returncode, what or "a condition"))
            return condition()

        return _poll(checked, timeout, what)

    def wait_window(self, title, timeout=30, gone=()):
        # Generous: a sanitizer build opens a window slowly on a machine busy with other tests.
        pattern = re.compile(title)

        def lookup():
            for window in self.windows():
                if pattern.fullmatch(name(window)) and not any(window == other for other in gone):
                    return window
            return None

        window = self.wait(lookup, timeout, "a window titled %r" % title)
        self.focus(window)
        return window

    def focus(self, window):
        """Gives the X keyboard focus to the window (there is no window manager on the display)."""
        if pyatspi.STATE_ACTIVE in states(window):
            return
        title = name(window)
        ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^" + re.escape(title) + "$"],
                             capture_output=True, text=True, env=self._x_env()).stdout.split()
        if ids:
            subprocess.run(["xdotool", "windowfocus", "--sync", ids[-1]], env=self._x_env(),
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10)
        self.wait(lambda: pyatspi.STATE_ACTIVE in states(window), 5, "window %r to become active" % title)

    def _x_env(self):
        return dict(os.environ, DISPLAY=self.display)

    def key(self, *keys):
        subprocess.run(["xdotool", "key", "--delay", "20"] + list(keys), env=self._x_env(), check=True, timeout=20)

    def type(self, text, delay=20):
        subprocess.run(["xdotool", "type", "--delay", str(delay), text], env=self._x_env(), check=True, timeout=20)

    def menu(self, window, *names):
        bar = self.find(window, role=pyatspi.ROLE_MENU_BAR)
        if bar is None:
            raise AssertionError("%s has no menu bar" % describe(window))
        self.key("alt")
        level = bar
        for depth, wanted in enumerate(names):
            items = [level.getChildAtIndex(i) for i in range(level.childCount)]
            wanted = next((w for w in (wanted, _unmarked(wanted)) if any(_name(item) == w for item in items)), None)
            if wanted is None:
                raise AssertionError("no menu entry %r among %r" % (names[depth], [_name(item) for item in items]))
            step = "Right" if depth == 0 else "Down"
            previous = None
            for _ in range(len(items) + 1):
                # After a step the old entry may still read as focused for a moment: wait for another one.
                at, current = self.wait(lambda: next(((i, item) for i, item in enumerate(items)
                                                      if i != previous and pyatspi.STATE_FOCUSED in states(item)),
                                                     None), 5, "a focused menu entry on the way to %r" % wanted)
                if _name(current) == wanted:
                    break
                previous = at
                self.key(step)
            else:
                raise AssertionError("menu entry %r never took the focus" % wanted)
            if depth + 1 < len(names):
                # Opens the menu below the entry and waits for its first entry to take the focus.
                self.key("Down" if depth == 0 else "Right")
                level = self.wait(lambda: next((current.getChildAtIndex(i) for i in range(current.childCount)
                                                if pyatspi.STATE_SHOWING in states(current.getChildAtIndex(i))),
                                               None), 5, "the menu %r to open" % wanted)
        self.key("Return")

    def press(self, control):
        control.queryComponent().grabFocus()
        self.wait(lambda: pyatspi.STATE_FOCUSED in states(control), 5, "the focus on %s" % describe(control))
        self.key("space")

    def focused(self):
        for window in self.windows():
            if pyatspi.STATE_ACTIVE not in states(window):
                continue
            for node, _ in self.walk(window):
                if pyatspi.STATE_FOCUSED in states(node):
                    return node
        return None

    def walk(self, root, tables=True, depth=0):
        yield root, depth
        try:
            count = root.childCount
            if not tables and root.getRole() in (pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE):
                return
        except Exception:
            return
        for i in range(count):
            try:
                child = root.getChildAtIndex(i)
            except Exception:
                continue
            if child is not None:
                yield from self.walk(child, tables, depth + 1)

    def find(self, root, role=None, name=None, pred=None, tables=False):
        for node, _ in self.walk(root, tables):
            if role is not None and node.getRole() != role:
                continue
            if name is not None and _name(node) not in (name, _unmarked(name)):
                continue
            if pred is not None and not pred(node):
                continue
            return node
        return None


def _unmarked(text):
    """A text as a screen reader gets it: without the & that marks a mnemonic."""
    return text.replace("&&", "\0").replace("&", "").replace("\0", "&")


def name(obj):
    try:
        return obj.name or ""
    except Exception:
        return ""


_name = name


def role_name(obj):
    try:
        return obj.getRoleName()
    except Exception:
        return "?"


def states(obj):
    try:
        return set(obj.getState().getStates())
    except Exception:
        return set()


def describe(obj):
    try:
        description = obj.description
    except Exception:
        description = ""
    text = "%s %r" % (role_name(obj), name(obj))
    return text + (" (%r)" % description if description else "")


def strings():
    """The string table: {id: (italian, english)}."""
    table = {}
    with open(os.path.join(SOURCE, "resources", "strings.tsv"), encoding="utf-8") as source:
        for line in source:
            parts = line.rstrip("\n").split("\t")
            if len(parts) >= 3 and parts[0].strip().lstrip("-").isdigit():
                table[int(parts[0])] = (parts[1], parts[2])
    return table
