#!/usr/bin/env python3
"""Builds a tree of junk files for the benchmarks with a fixed seed: FILES sparse files of 0 to 64 KiB
spread over FOLDERS nested folders, all last written 30 days ago.

    bench/junk_tree.py ROOT FILES FOLDERS [--large-every N]

The files are sparse (made with truncate): this machine's disk discards freed blocks synchronously, so
deleting files that hold real data runs at a few hundred files a second whatever the program does, and
the benchmark would measure the disk instead of the program. --large-every makes every N-th file a sparse
file of 100 to 400 MiB, for the large-file scan.
"""
import argparse
import os
import random
import time

SEED = 20240611


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("root")
    parser.add_argument("files", type=int)
    parser.add_argument("folders", type=int)
    parser.add_argument("--large-every", type=int, default=0)
    arguments = parser.parse_args()
    rng = random.Random(SEED)
    folders = [""]
    for i in range(arguments.folders):
        parent = folders[rng.randrange(len(folders))] if rng.random() < 0.7 else folders[-1]
        folders.append(os.path.join(parent, "d%05d" % i))
    for folder in folders:
        os.makedirs(os.path.join(arguments.root, folder), exist_ok=True)
    old = time.time() - 30 * 86400
    for i in range(arguments.files):
        path = os.path.join(arguments.root, folders[rng.randrange(len(folders))], "f%06d.tmp" % i)
        size = rng.randrange(65537)
        if arguments.large_every and i % arguments.large_every == 0:
            size = rng.randrange(100 << 20, 400 << 20)
        with open(path, "wb") as handle:
            handle.truncate(size)
        os.utime(path, (old, old))


if __name__ == "__main__":
    main()
