#!/usr/bin/env python3
"""Packs a folder into a zip whose Chinese file names read right on every Windows the program supports.

Usage: pack-zip.py FOLDER ZIPFILE

Windows 7's own zip folder (and many archivers) ignore the UTF-8 flag of a zip entry and read names in the
system's code page, which on a simplified-Chinese Windows is GBK. Each name is therefore stored in GBK, and
an Info-ZIP Unicode Path field (0x7075) carries the UTF-8 name for readers that prefer it.
"""
import os
import struct
import sys
import zipfile
import zlib


class GbkZipInfo(zipfile.ZipInfo):
    def _encodeFilenameFlags(self):
        return self.filename.encode("gbk"), self.flag_bits


def unicode_path_field(name):
    stored = name.encode("gbk")
    utf8 = name.encode("utf-8")
    body = struct.pack("<BI", 1, zlib.crc32(stored)) + utf8
    return struct.pack("<HH", 0x7075, len(body)) + body


def entries(folder):
    for directory, subfolders, files in os.walk(folder):
        subfolders.sort()
        relative = os.path.relpath(directory, folder)
        if relative != "." and not subfolders and not files:
            yield os.path.join(directory, ""), relative.replace(os.sep, "/") + "/"
        for file in sorted(files):
            path = os.path.join(directory, file)
            yield path, os.path.relpath(path, folder).replace(os.sep, "/")


def main():
    folder, target = sys.argv[1], sys.argv[2]
    if os.path.exists(target):
        os.remove(target)
    with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for path, name in entries(folder):
            info = GbkZipInfo.from_file(path, name)
            info.extra = unicode_path_field(name) if not name.isascii() else b""
            if info.is_dir():
                archive.writestr(info, b"")
                continue
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as source:
                archive.writestr(info, source.read())


if __name__ == "__main__":
    main()
