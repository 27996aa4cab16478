"""Starts Orca with its debug file written line by line, so that a test reads what was said as it is said.

Usage: python3 orca_launch.py ORCA DEBUG_FILE [ORCA ARGS...]

Orca refuses to start while another Orca of the same user runs; each test has a bus and a display of its
own, so tests that run at once each start their own.
"""

import builtins
import sys

orca, debug_file = sys.argv[1], sys.argv[2]
_open = builtins.open


def _line_buffered(file, mode="r", *args, **kwargs):
    if file == debug_file and "w" in mode:
        kwargs.pop("buffering", None)
        return _open(file, mode, 1, *args[1:], **kwargs)
    return _open(file, mode, *args, **kwargs)


builtins.open = _line_buffered
sys.argv = [orca, "--debug-file=" + debug_file] + sys.argv[3:]
with _open(orca, encoding="utf-8") as source:
    code = compile(source.read(), orca, "exec")
scope = {"__name__": "orca_launched", "__file__": orca}
exec(code, scope)
scope["otherOrcas"] = lambda: []
sys.exit(scope["main"]())
