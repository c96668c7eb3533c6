#!/usr/bin/env python3
"""Writes the machine.json of a simulated PC for the benchmarks: the embedded default machine, and with
--large on top of it 5,000 start-up entries (run keys, start-up folder shortcuts and log-on tasks), 2,000
services, 500 installed programs and 300 top-level windows of 300 processes. The seed is fixed, so every
run writes the same machine.

    bench/make_machine.py MACHINE_DIR [--large]
"""
import argparse
import json
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULTS = os.path.join(HERE, "..", "platform", "sim", "default")
SEED = 20261209

RUN = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"
WOW64_RUN = "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run"
UNINSTALL = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
STARTUP_FOLDERS = [
    "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\",
    "C:\\Users\\Lenovo\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\",
]


def merge(into, fragment):
    """Objects merge, arrays append, later fragments win: as the simulated PC merges its own fragments."""
    for key, value in fragment.items():
        if isinstance(value, dict) and isinstance(into.get(key), dict):
            merge(into[key], value)
        elif isinstance(value, list) and isinstance(into.get(key), list):
            into[key].extend(value)
        else:
            into[key] = value


def default_machine():
    machine = {}
    for name in sorted(os.listdir(DEFAULTS)):
        if name.endswith(".json"):
            with open(os.path.join(DEFAULTS, name), encoding="utf-8") as handle:
                merge(machine, json.load(handle))
    return machine


class Builder:
    def __init__(self):
        self.rng = random.Random(SEED)
        self.extra = {"registry": {}, "files": [], "services": {}, "processes": [], "windows": [], "tasks": [],
                      "shell": {"shortcuts": {}, "fileDescriptions": {}}}

    def program(self, n):
        """An executable path; about two in three exist on the disk."""
        vendor = "Vendor%03d" % (n % 400)
        path = "C:\\Program Files (x86)\\%s\\App%05d\\app%05d.exe" % (vendor, n, n)
        if self.rng.random() < 0.66:
            self.extra["files"].append({"path": path, "size": self.rng.randrange(4096, 1 << 22), "ageHours": 500})
        return path

    def run_values(self, key, first, total):
        values = self.extra["registry"].setdefault(key, {})
        for n in range(first, first + total):
            arguments = " /silent" if n % 3 == 0 else ""
            values["Start%05d" % n] = '"%s"%s' % (self.program(n), arguments)

    def startup(self):
        per_key = 1200
        self.run_values("HKLM\\" + RUN, 0, per_key)
        self.run_values("HKCU\\" + RUN, per_key, per_key)
        self.run_values("HKLM\\" + WOW64_RUN, 2 * per_key, per_key)
        first = 3 * per_key
        for n in range(first, first + 1000):
            link = STARTUP_FOLDERS[n % 2] + "Link%05d.lnk" % n
            self.extra["files"].append({"path": link, "size": 1024, "ageHours": 500})
            self.extra["shell"]["shortcuts"][link] = {"target": self.program(n), "arguments": ""}
        first += 1000
        for n in range(first, first + 400):
            self.extra["tasks"].append({"path": "\\Vendor%03d\\Task%05d" % (n % 50, n), "triggers": [9]})

    def services(self):
        for n in range(2000):
            running = self.rng.random() < 0.4
            self.extra["services"]["BenchSvc%04d" % n] = {
                "displayName": "Bench Service %d" % n,
                "state": "running" if running else "stopped",
                "startType": self.rng.choice(["auto", "manual", "manual", "disabled"]),
                "binaryPath": self.program(10000 + n),
            }

    def installed(self):
        for n in range(500):
            key = UNINSTALL + "{BENCH-%05d}" % n
            self.extra["registry"][key] = {
                "DisplayName": "Bench Program %d" % n,
                "Publisher": "Vendor%03d" % (n % 400),
                "InstallLocation": "C:\\Program Files (x86)\\Vendor%03d\\App%05d" % (n % 400, n),
            }

    def windows(self):
        for n in range(300):
            pid = 20000 + 4 * n
            image = self.program(20000 + n)
            self.extra["processes"].append({"pid": pid, "name": os.path.basename(image.replace("\\", "/")),
                                            "imagePath": image, "workingSet": self.rng.randrange(1 << 20, 1 << 28)})
            self.extra["windows"].append({"pid": pid, "className": "BenchWnd%03d" % (n % 97),
                                          "title": "Bench window %d" % n, "visible": self.rng.random() < 0.8,
                                          "toolWindow": self.rng.random() < 0.2})


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("folder")
    parser.add_argument("--large", action="store_true")
    arguments = parser.parse_args()
    machine = default_machine()
    if arguments.large:
        builder = Builder()
        builder.startup()
        builder.services()
        builder.installed()
        builder.windows()
        merge(machine, builder.extra)
    os.makedirs(arguments.folder, exist_ok=True)
    with open(os.path.join(arguments.folder, "machine.json"), "w", encoding="utf-8") as handle:
        json.dump(machine, handle, ensure_ascii=False, indent=1)


if __name__ == "__main__":
    main()
