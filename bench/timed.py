#!/usr/bin/env python3
"""Runs a command and prints "WALL_MS MAXRSS_KB CPU_MS" of it on one line: wall-clock time, the peak
resident memory and the processor time (user and system) of that command alone. Peak memory and processor
time come from GNU time (/usr/bin/time): a child forked from this script would carry the script's own peak
memory in its figures. The command's output goes to the file named by --out (or nowhere).

    bench/timed.py [--out FILE] [--] COMMAND [ARG...]
"""
import os
import subprocess
import sys
import tempfile
import time


def main():
    arguments = sys.argv[1:]
    out = os.devnull
    if arguments[:1] == ["--out"]:
        out = arguments[1]
        arguments = arguments[2:]
    if arguments[:1] == ["--"]:
        arguments = arguments[1:]
    with tempfile.NamedTemporaryFile("r") as figures, open(out, "wb") as sink:
        start = time.monotonic()
        code = subprocess.call(["/usr/bin/time", "-q", "-f", "%M %U %S", "-o", figures.name] + arguments,
                               stdout=sink, stderr=subprocess.STDOUT)
        wall = time.monotonic() - start
        rss, user, system = figures.read().split()[-3:]
    print("%d %s %d" % (round(wall * 1000), rss, round((float(user) + float(system)) * 1000)))
    sys.exit(0 if code == 0 else 1)


if __name__ == "__main__":
    main()
