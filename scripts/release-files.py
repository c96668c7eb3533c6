#!/usr/bin/env python3
"""The file work of scripts/publish-release.sh; the signing itself is openssl's.

Usage: release-files.py version EXE
       release-files.py lay-out APP_FOLDER RELEASE_FOLDER VERSION NOTE FORCE
       release-files.py raw-signature DER_FILE
       release-files.py check-reply OUT_FOLDER VERSION NOTE FORCE
"""
import base64
import hashlib
import json
import os
import shutil
import struct
import sys

# The stick's own folders beside the program: the user's data, never part of a release.
KEPT_FOLDERS = {"config", "logs", "changes", "tools"}
FIXED_FILE_INFO = struct.pack("<I", 0xFEEF04BD)
P256_BYTES = 32


def fail(message):
    sys.exit(f"publish-release: {message}")


def version(exe):
    """The file version of the executable's version resource: major.minor.patch, and .build when set."""
    with open(exe, "rb") as program:
        data = program.read()
    at = data.find(FIXED_FILE_INFO)
    if at < 0:
        fail(f"{exe} has no version resource")
    most, least = struct.unpack_from("<II", data, at + 8)
    parts = [most >> 16, most & 0xFFFF, least >> 16]
    if least & 0xFFFF:
        parts.append(least & 0xFFFF)
    print(".".join(str(part) for part in parts))


def program_files(app):
    for directory, folders, files in os.walk(app):
        relative = os.path.relpath(directory, app)
        if relative == ".":
            folders[:] = [name for name in folders if name.lower() not in KEPT_FOLDERS]
            files = [name for name in files if name.lower() not in KEPT_FOLDERS]
        folders.sort()
        for name in sorted(files):
            path = os.path.join(directory, name)
            if os.path.islink(path):
                fail(f"{path} is a link; a release holds real files only")
            yield path, os.path.relpath(path, app).replace(os.sep, "/")


def digest(path):
    sha = hashlib.sha256()
    with open(path, "rb") as source:
        for block in iter(lambda: source.read(1 << 20), b""):
            sha.update(block)
    return sha.hexdigest()


def lay_out(app, release, version_text, note, force):
    entries = []
    for path, name in program_files(app):
        target = os.path.join(release, name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copyfile(path, target)
        entries.append({"path": name, "size": os.path.getsize(target), "sha256": digest(target)})
    manifest = {"version": version_text, "releaseNote": note, "forceUpdate": force == "1", "files": entries}
    with open(os.path.join(release, "manifest.json"), "w", encoding="utf-8") as out:
        json.dump(manifest, out, ensure_ascii=False, indent=1)


def der_integer(data, at):
    if data[at] != 0x02:
        fail("openssl wrote a signature that is not DER")
    length = data[at + 1]
    value = data[at + 2 : at + 2 + length].lstrip(b"\0")
    if len(value) > P256_BYTES:
        fail("openssl wrote a signature that is not P-256")
    return value.rjust(P256_BYTES, b"\0"), at + 2 + length


def raw_signature(der_file):
    """DER SEQUENCE { INTEGER r, INTEGER s } as r || s, 32 bytes each, base64."""
    with open(der_file, "rb") as source:
        data = source.read()
    if data[0] != 0x30 or data[1] & 0x80:
        fail("openssl wrote a signature that is not DER")
    r, at = der_integer(data, 2)
    s, _ = der_integer(data, at)
    print(base64.b64encode(r + s).decode())


def check_reply(out, version_text, note, force):
    reply = {
        "code": 200,
        "data": {"hasUpdate": True, "forceUpdate": force == "1", "latest": {"version": version_text, "releaseNote": note}},
    }
    for folder in ("client/version", "version"):
        os.makedirs(os.path.join(out, folder), exist_ok=True)
        with open(os.path.join(out, folder, "check"), "w", encoding="utf-8") as target:
            json.dump(reply, target, ensure_ascii=False)


COMMANDS = {"version": version, "lay-out": lay_out, "raw-signature": raw_signature, "check-reply": check_reply}

if __name__ == "__main__":
    COMMANDS[sys.argv[1]](*sys.argv[2:])
