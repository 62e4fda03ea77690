#!/usr/bin/env python3
"""Checks the release files of scripts/package without running them.

Usage: tests/package/check_zips.py DIST VERSION EPOCH DOCS

DIST holds lyrics-tools-VERSION-win64.zip, -win32.zip, -setup.exe and SHA256SUMS; EPOCH is the
packaged commit's time; DOCS the folder of the help files and the README source. Each zip must be
one folder lyrics-tools-VERSION/ with exactly the seven files, in a fixed order, stamped with the
commit's time; its programs must be built for its architecture, stamped alike, and carry VERSION
in their version resources; its texts must read well in Notepad (CR LF). Prints one line per file
checked, and every fault found; the exit status is 1 when there was one.
"""
import hashlib
import os
import struct
import sys
import time
import zipfile

FILES = ["LICENSE.txt", "Match Help.txt", "Match.exe", "Orlisk.exe", "OrliskHelp.html", "README.txt", "lyrics.exe"]
MACHINES = {"win64": 0x8664, "win32": 0x014C}
SUBSYSTEM_GUI, SUBSYSTEM_CONSOLE = 2, 3
SUBSYSTEMS = {"Match.exe": SUBSYSTEM_GUI, "Orlisk.exe": SUBSYSTEM_GUI, "lyrics.exe": SUBSYSTEM_CONSOLE}
FIXED_FILE_INFO_SIGNATURE = struct.pack("<I", 0xFEEF04BD)

faults = []


def fault(where, text):
    faults.append(f"{where}: {text}")


def pe_header(data):
    """(machine, time stamp, subsystem) of a PE image, or None when it is not one."""
    if data[:2] != b"MZ":
        return None
    offset = struct.unpack_from("<I", data, 0x3C)[0]
    if data[offset:offset + 4] != b"PE\0\0":
        return None
    machine, _, stamp = struct.unpack_from("<HHI", data, offset + 4)
    subsystem = struct.unpack_from("<H", data, offset + 24 + 68)[0]  # the same place in PE32 and PE32+
    return machine, stamp, subsystem


def file_version(data):
    """The file version of the image's version resource as (a, b, c, d), or None."""
    at = data.find(FIXED_FILE_INFO_SIGNATURE)
    if at < 0:
        return None
    ms, ls = struct.unpack_from("<II", data, at + 8)
    return ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF


def check_program(where, name, data, machine, epoch, version):
    header = pe_header(data)
    if header is None:
        fault(where, "not a Windows program")
        return
    if header[0] != machine:
        fault(where, f"built for machine {header[0]:#06x}, not {machine:#06x}")
    if header[1] != epoch:
        fault(where, f"PE time stamp {header[1]}, not the commit's time {epoch}")
    if name in SUBSYSTEMS and header[2] != SUBSYSTEMS[name]:
        fault(where, f"subsystem {header[2]}, not {SUBSYSTEMS[name]}")
    if file_version(data) != version + (0,):
        fault(where, f"version resource {file_version(data)}, not {version + (0,)}")


def check_text(where, data, version=None):
    if data.count(b"\n") != data.count(b"\r\n") or data.count(b"\r") != data.count(b"\r\n"):
        fault(where, "line ends are not all CR LF")
    if version is not None:
        if b"@VERSION@" in data:
            fault(where, "still holds @VERSION@")
        if version.encode() not in data:
            fault(where, f"does not name version {version}")


def check_zip(dist, arch, version_text, epoch, docs):
    folder = f"lyrics-tools-{version_text}"
    path = os.path.join(dist, f"{folder}-{arch}.zip")
    version = tuple(int(part) for part in version_text.split("."))
    # A zip keeps a local time to two seconds without a zone; the packager writes the UTC time.
    stamp = time.gmtime(epoch)[:6]
    stamp = stamp[:5] + (stamp[5] // 2 * 2,)
    contents = {}
    with zipfile.ZipFile(path) as archive:
        expected = [folder + "/"] + [f"{folder}/{name}" for name in FILES]
        if archive.namelist() != expected:
            fault(path, f"entries {archive.namelist()}, not {expected}")
        for entry in archive.infolist():
            if entry.date_time != stamp:
                fault(f"{path}: {entry.filename}", f"time {entry.date_time}, not the commit's {stamp}")
            if not entry.is_dir():
                contents[entry.filename.split("/", 1)[1]] = archive.read(entry)
    for name in ("Match.exe", "Orlisk.exe", "lyrics.exe"):
        if name in contents:
            check_program(f"{path}: {name}", name, contents[name], MACHINES[arch], epoch, version)
    for name in ("Match Help.txt", "OrliskHelp.html"):
        with open(os.path.join(docs, name), "rb") as f:
            if contents.get(name) != f.read():
                fault(f"{path}: {name}", f"differs from docs/{name}")
    check_text(f"{path}: README.txt", contents.get("README.txt", b""), version_text)
    check_text(f"{path}: LICENSE.txt", contents.get("LICENSE.txt", b""))
    if not contents.get("LICENSE.txt", b"").startswith(b"MIT License"):
        fault(f"{path}: LICENSE.txt", "is not the MIT License")
    print(f"checked {path}: {len(contents)} files")
    return contents


def check_sums(dist, version_text):
    names = sorted(f"lyrics-tools-{version_text}-{kind}" for kind in ("win64.zip", "win32.zip", "setup.exe"))
    listed = {}
    with open(os.path.join(dist, "SHA256SUMS")) as f:
        for line in f:
            digest, name = line.rstrip("\n").split("  ", 1)
            listed[name] = digest
    if sorted(listed) != names:
        fault("SHA256SUMS", f"lists {sorted(listed)}, not {names}")
    for name, digest in listed.items():
        with open(os.path.join(dist, name), "rb") as f:
            if hashlib.sha256(f.read()).hexdigest() != digest:
                fault("SHA256SUMS", f"{name} does not have the listed digest")
    print(f"checked {dist}/SHA256SUMS: {len(listed)} files")


def main():
    dist, version_text, epoch, docs = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
    missing = [name for name in (f"lyrics-tools-{version_text}-{kind}" for kind in ("win64.zip", "win32.zip", "setup.exe"))
               if not os.path.isfile(os.path.join(dist, name))]
    if missing:
        print(f"FAULT {dist}: no {', '.join(missing)} (scripts/package writes them)", file=sys.stderr)
        return 1
    check_sums(dist, version_text)
    win64 = check_zip(dist, "win64", version_text, epoch, docs)
    win32 = check_zip(dist, "win32", version_text, epoch, docs)
    for name in ("Match Help.txt", "OrliskHelp.html", "README.txt", "LICENSE.txt"):
        if win64.get(name) != win32.get(name):
            fault(name, "differs between the two zips")
    setup = os.path.join(dist, f"lyrics-tools-{version_text}-setup.exe")
    with open(setup, "rb") as f:
        data = f.read()
    header = pe_header(data)
    if header is None or header[0] != MACHINES["win64"]:
        fault(setup, "is not a 64-bit Windows program")
    if file_version(data) != tuple(int(part) for part in version_text.split(".")) + (0,):
        fault(setup, f"version resource {file_version(data)}, not {version_text}.0")
    print(f"checked {setup}")
    for line in faults:
        print("FAULT " + line, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
