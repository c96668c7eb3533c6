#!/usr/bin/env python3
"""Fails when a product file includes a folder above its own, or when two folders include each other.

The layers, from the bottom, are the rows of LAYERS; folders on one row stand side by side. A file may include
its own folder, a folder on its own row, or any folder on a lower row, and never one above. Two folders on
one row may not include each other. The tests and the benchmarks (tests/, bench/) drive every layer at once
and are left out; every other folder of the tree that holds sources must have a row, so a new folder cannot
slip past the check.
"""
import pathlib
import re
import sys

LAYERS = [
    ["platform"],
    ["text"],
    ["identity"],
    ["log"],
    ["engine"],
    ["analysis", "startup"],
    ["phase1", "phase2"],
    ["update"],
    ["updater"],
    ["ui"],
    ["app", "resources"],
]
NOT_CHECKED = {"tests", "bench"}
SOURCE_SUFFIXES = {".h", ".cpp"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([A-Za-z0-9_]+)/', re.MULTILINE)

RANK = {folder: row for row, folders in enumerate(LAYERS) for folder in folders}


def product_sources(root):
    for path in sorted(root.rglob("*")):
        if path.suffix not in SOURCE_SUFFIXES or not path.is_file():
            continue
        top = path.relative_to(root).parts[0]
        if top.startswith(".") or top.startswith("build") or top in NOT_CHECKED:
            continue
        yield top, path


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    faults = []
    arrows = {}
    for folder, path in product_sources(root):
        name = path.relative_to(root)
        if folder not in RANK:
            faults.append(f"{name}: folder {folder}/ has no place in the layer order")
            continue
        for target in INCLUDE.findall(path.read_text(encoding="utf-8")):
            if target == folder or target not in RANK:
                continue
            if RANK[target] > RANK[folder]:
                faults.append(f"{name}: includes {target}/, a layer above {folder}/")
            arrows.setdefault((folder, target), name)
    for (folder, target), name in sorted(arrows.items()):
        if folder < target and (target, folder) in arrows:
            faults.append(f"{folder}/ and {target}/ include each other ({name}, {arrows[(target, folder)]})")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
