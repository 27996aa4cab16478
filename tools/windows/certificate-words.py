#!/usr/bin/env python3
"""Prints a certificate PDF as the checker's tests record it: "page W H", then "x y word" a line, read back
with pdftotext -bbox and rounded to whole points. Usage: certificate-words.py FILE.pdf"""
import math
import re
import subprocess
import sys

html = subprocess.run(["pdftotext", "-bbox", sys.argv[1], "-"], check=True, capture_output=True,
                      text=True).stdout
item = re.compile(r'<page width="([0-9.]+)" height="([0-9.]+)">|<word xMin="([0-9.]+)" '
                  r'yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="[0-9.]+">([^<]*)</word>')
frame = 10 * 72 / 25.4
width = 0.0
out = []
for m in item.finditer(html):
    whole = lambda text: int(math.floor(float(text) + 0.5))
    if m.group(1) is None and (float(m.group(3)) < frame or float(m.group(5)) > width - frame):
        out.append("<outside the frame:> ")
    if m.group(1) is not None:
        width = float(m.group(1))
        out.append("page %d %d\n" % (whole(m.group(1)), whole(m.group(2))))
    else:
        out.append("%d %d %s\n" % (whole(m.group(3)), whole(m.group(4)), m.group(6)))
sys.stdout.write("".join(out))
