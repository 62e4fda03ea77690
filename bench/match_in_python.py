#!/usr/bin/env python3
"""The match of an .m3u against a lyrics folder as a short dictionary script: the yardstick that
docs/performance.md sets the lyrics tool beside. Usage: bench/match_in_python.py FOLDER PLAYLIST"""
import os
import sys

folder, playlist = sys.argv[1:3]
with open(playlist, encoding="cp1252", errors="replace", newline="") as text:
    lines = text.read().split("\n")
titles = [line.rstrip("\r").split(",", 1)[-1] for line in lines if line.lower().startswith("#extinf:")]
names = {}
for entry in os.scandir(folder):
    if entry.name.lower().endswith(".txt"):
        names.setdefault(entry.name[:-4].lower(), []).append(entry.name)
unmatched = []
for title in titles:
    if names.pop(title.lower(), None) is None:
        unmatched.append(title)
with open(os.devnull, "w") as out:
    out.write("\n".join(unmatched + [name for group in names.values() for name in group]))
print(f"{len(titles)} titles, {len(unmatched)} without lyrics, {sum(map(len, names.values()))} lyrics without a title")
