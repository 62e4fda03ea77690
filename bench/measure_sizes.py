#!/usr/bin/env python3
"""Times `lyrics match` of one or two builds on the big sets of bench/make_inputs.py, in every
format, beside the floor (cat of the playlist plus ls -f of the folder) and the Python script.

Usage: bench/measure_sizes.py DATA SIZE RUNS LYRICS [LYRICS...]
  DATA    the folder make_inputs.py wrote with SIZE (1m, 5m, or 100k for match-100k)
  RUNS    runs of each command, taken in turn; the median wall time and the largest peak are given
Prints a Markdown table: one row per command, wall and CPU time (user + system, a child shell and its
commands for the floor), peak memory (the largest process), and the load before and after.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

FORMATS = ["playlist.m3u", "playlist.m3u8", "playlist.pls", "playlist.b4s", "utf16.pls"]


def timed(command, shell=False):
    start = time.perf_counter()
    process = subprocess.Popen(command, shell=shell, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    if status != 0:
        sys.exit(f"{command} failed with status {status}")
    return time.perf_counter() - start, usage.ru_maxrss / 1024, usage.ru_utime + usage.ru_stime


def main():
    data, size, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
    builds = [os.path.realpath(path) for path in sys.argv[4:]]
    os.chdir(os.path.join(data, f"match-{size}"))
    out = tempfile.mkdtemp()
    commands = {}
    for playlist in FORMATS:
        for n, lyrics in enumerate(builds):
            commands[f"build {n + 1} {playlist}"] = [lyrics, "match", "--folder", "lyrics", "--playlist", playlist, "--out", out]
        commands[f"floor {playlist}"] = f"cat {playlist} >/dev/null && ls -f lyrics >/dev/null"
    commands["python playlist.m3u"] = [sys.executable, os.path.join(os.path.dirname(__file__), "match_in_python.py"), "lyrics",
                                       "playlist.m3u"]
    results = {name: [] for name in commands}
    load_before = open("/proc/loadavg").read().split()[0]
    for name, command in commands.items():  # warm the page cache and the directory
        timed(command, isinstance(command, str))
    for _ in range(runs):
        for name, command in commands.items():
            results[name].append(timed(command, isinstance(command, str)))
            for listed in os.listdir(out):
                os.remove(os.path.join(out, listed))
    load_after = open("/proc/loadavg").read().split()[0]
    print(f"{size}, {runs} runs, load {load_before} before and {load_after} after")
    print("| command | median wall s | median CPU s | peak MB |")
    print("|---|---|---|---|")
    for name, figures in results.items():
        wall = statistics.median(f[0] for f in figures)
        cpu = statistics.median(f[2] for f in figures)
        print(f"| {name} | {wall:.3f} | {cpu:.3f} | {max(f[1] for f in figures):.0f} |")


if __name__ == "__main__":
    main()
