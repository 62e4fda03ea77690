#!/usr/bin/env python3
"""Times two builds of the lyrics tool on the 100,000 x 100,000 match, interleaved.

Usage: bench/compare_cli.py OLD NEW [DATA] [ROUNDS]
  OLD, NEW  two lyrics executables (say, one built from main and one from a branch)
  DATA      the folder bench/make_inputs.py wrote (default bench/data)
  ROUNDS    rounds of one run each (default 40)

Each round runs OLD on playlist.m3u, NEW on playlist.m3u and NEW on playlist.m3u8, in turn forward
and backward, so that a burst of load elsewhere on the machine falls on all three alike. Wall time
is the clock around the run; CPU time (user + system) and peak memory come from wait4.
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    old, new = (os.path.realpath(path) for path in sys.argv[1:3])
    data = sys.argv[3] if len(sys.argv) > 3 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "data")
    rounds = int(sys.argv[4]) if len(sys.argv) > 4 else 40
    runs = {
        "OLD, .m3u": [old, "match", "--folder", "lyrics", "--playlist", "playlist.m3u"],
        "NEW, .m3u": [new, "match", "--folder", "lyrics", "--playlist", "playlist.m3u"],
        "NEW, .m3u8": [new, "match", "--folder", "lyrics", "--playlist", "playlist.m3u8"],
    }
    os.chdir(os.path.join(data, "match-100k"))
    out = tempfile.mkdtemp()
    names = list(runs)

    def run(name):
        start = time.perf_counter()
        process = subprocess.Popen(runs[name] + ["--out", out], stdout=subprocess.DEVNULL)
        _, status, usage = os.wait4(process.pid, 0)
        wall = time.perf_counter() - start
        if status != 0:
            sys.exit(f"{name} failed with status {status}")
        for listed in os.listdir(out):
            os.remove(os.path.join(out, listed))
        return wall * 1000, (usage.ru_utime + usage.ru_stime) * 1000, usage.ru_maxrss / 1024

    for name in names:  # warm the page cache and the directory
        run(name)
    load = open("/proc/loadavg").read().split()[0]
    results = {name: [] for name in names}
    for r in range(rounds):
        for name in names if r % 2 == 0 else reversed(names):
            results[name].append(run(name))
    print(f"{rounds} rounds, load {load} before, {open('/proc/loadavg').read().split()[0]} after")
    for name, values in results.items():
        wall = [v[0] for v in values]
        cpu = [v[1] for v in values]
        print(f"{name:11s} wall mean {statistics.mean(wall):6.1f} median {statistics.median(wall):6.1f} ms, "
              f"CPU mean {statistics.mean(cpu):6.1f} median {statistics.median(cpu):6.1f} min {min(cpu):6.1f} ms, "
              f"peak {max(v[2] for v in values):.1f} MB")
    shutil.rmtree(out)


if __name__ == "__main__":
    main()
