#!/usr/bin/env python3
"""Compares two builds of the engine on one machine in one session: the benchmarks of
docs/performance.md, the whole `lyrics match` on 100,000 x 100,000 and the bad inputs. The two
builds take turns run by run, so that a change of load on a shared machine weighs on both alike.

Usage: bench/compare_builds.py [--parts P,...] [--rounds N] [--cli-runs N] [--data DIR] OLD NEW
  OLD, NEW  build folders configured as in docs/performance.md (CMake Release, -DLYRICS_BENCH=ON),
            each holding bench/lyrics_bench and cli/lyrics
  --parts   which comparisons: benchmarks, match, bad (default all three)
  --rounds  how often each benchmark group runs per build (default 5); the figure is the median
  --cli-runs how often `lyrics match` runs per build (default 60)
  --data    the inputs of bench/make_inputs.py (default bench/data, made if missing)

Prints three Markdown tables: benchmark CPU and wall time, the match run (wall time by the clock;
CPU time, peak memory and page faults from getrusage of the child), and the bad inputs.
"""
import argparse
import collections
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

GROUPS = ["^BM_MatchTitles/", "^BM_PairwiseMatchTitles/(1000|5000)", "^BM_ParsePlaylist", "^BM_ReadPlaylistM3u",
          "^BM_ParseOneHugeLine", "^BM_ParseRandomBytesM3u", "^BM_ParseB4sReferenceLine", "^BM_DecodeCharRefs"]
SLOW_GROUP = "^BM_PairwiseMatchTitles/20000"  # half a minute a run: once per build
BAD_INPUTS = ["one-line-100mb.m3u", "one-line-100mb.pls", "one-line-100mb.b4s", "huge-entry-100mb.m3u",
              "huge-entry-100mb.pls", "huge-entry-100mb.b4s", "random-50mb.m3u", "amp-10mb.b4s"]


def load():
    return " ".join(open("/proc/loadavg").read().split()[:3])


def milliseconds(value, unit):
    return value * {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[unit]


def shown(ms):
    return "%.3g ns" % (ms * 1e6) if ms < 0.01 else "%.4g ms" % ms


def compare_benchmarks(builds, rounds):
    times = collections.defaultdict(lambda: collections.defaultdict(list))
    names = []
    with tempfile.TemporaryDirectory() as scratch:
        out = os.path.join(scratch, "run.json")
        for group in GROUPS + [SLOW_GROUP]:
            for _ in range(1 if group == SLOW_GROUP else rounds):
                for label, folder in builds.items():
                    subprocess.run([os.path.join(folder, "bench", "lyrics_bench"), "--benchmark_filter=" + group,
                                    "--benchmark_out=" + out, "--benchmark_out_format=json"],
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
                    for run in json.load(open(out))["benchmarks"]:
                        if run.get("error_occurred"):
                            sys.exit("%s: %s failed: %s" % (label, run["name"], run.get("error_message")))
                        if run["name"] not in names:
                            names.append(run["name"])
                        times[run["name"]][label].append((milliseconds(run["real_time"], run["time_unit"]),
                                                          milliseconds(run["cpu_time"], run["time_unit"])))
    print("Benchmarks, median of %d runs a build (the 20,000 pairwise run: one), load after: %s\n" % (rounds, load()))
    print("| Benchmark | old CPU | new CPU | new / old | old wall | new wall |")
    print("|---|---|---|---|---|---|")
    for name in names:
        cpu = {label: statistics.median(t[1] for t in times[name][label]) for label in builds}
        wall = {label: statistics.median(t[0] for t in times[name][label]) for label in builds}
        print("| `%s` | %s | %s | %.2f | %s | %s |" % (name, shown(cpu["old"]), shown(cpu["new"]), cpu["new"] / cpu["old"],
                                                      shown(wall["old"]), shown(wall["new"])))


def run_child(command, cwd):
    started = time.perf_counter()
    child = subprocess.Popen(command, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    return (time.perf_counter() - started, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024.0,
            usage.ru_minflt, os.waitstatus_to_exitcode(status))


def compare_match_runs(builds, runs, data):
    folder = os.path.join(data, "match-100k")
    results = collections.defaultdict(list)
    with tempfile.TemporaryDirectory() as out:
        def once(label):
            command = [os.path.join(builds[label], "cli", "lyrics"), "match", "--folder", "lyrics", "--playlist",
                       "playlist.m3u", "--out", out]
            results[label].append(run_child(command, folder))
            for name in os.listdir(out):
                os.remove(os.path.join(out, name))
        for label in builds:  # warm-up: the inputs into the page cache
            once(label)
            results[label].clear()
        for _ in range(runs):
            for label in builds:
                once(label)
    print("\n`lyrics match` on 100,000 titles x 100,000 files, %d runs a build, load after: %s\n" % (runs, load()))
    print("| Build | wall mean / median | CPU mean / median | peak memory | page faults | exit |")
    print("|---|---|---|---|---|---|")
    for label in builds:
        wall, cpu, peak, faults, status = zip(*results[label])
        print("| %s | %.0f / %.0f ms | %.0f / %.0f ms | %.1f MB | %d | %d |" % (
            label, 1000 * statistics.mean(wall), 1000 * statistics.median(wall), 1000 * statistics.mean(cpu),
            1000 * statistics.median(cpu), statistics.median(peak), statistics.median(faults), max(status)))


def compare_bad_inputs(builds, rounds, data):
    folder = os.path.join(data, "bad")
    print("\nBad input, median of %d runs a build\n" % rounds)
    print("| Input | old wall | new wall | old CPU | new CPU | old peak | new peak | exit old, new |")
    print("|---|---|---|---|---|---|---|---|")
    with tempfile.TemporaryDirectory() as out:
        cases = [(name, ["match", "--folder", "empty-folder", "--playlist", name, "--out", out]) for name in BAD_INPUTS]
        cases.append(("`lyrics titles amp-10mb.b4s`", ["titles", "amp-10mb.b4s"]))
        for name, arguments in cases:
            results = collections.defaultdict(list)
            for _ in range(rounds):
                for label, build in builds.items():
                    results[label].append(run_child([os.path.join(build, "cli", "lyrics")] + arguments, folder))
                    for made in os.listdir(out):
                        os.remove(os.path.join(out, made))
            median = {label: [statistics.median(r[i] for r in results[label]) for i in range(3)] for label in builds}
            print("| %s | %.2f s | %.2f s | %.2f s | %.2f s | %.0f MB | %.0f MB | %d, %d |" % (
                name, median["old"][0], median["new"][0], median["old"][1], median["new"][1], median["old"][2],
                median["new"][2], results["old"][0][4], results["new"][0][4]))
    print("\nload after: %s" % load())


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--parts", default="benchmarks,match,bad")
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--cli-runs", type=int, default=60)
    parser.add_argument("--data", default="bench/data")
    parser.add_argument("old")
    parser.add_argument("new")
    options = parser.parse_args()
    os.chdir(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    builds = {"old": os.path.abspath(options.old), "new": os.path.abspath(options.new)}
    subprocess.run([sys.executable, "bench/make_inputs.py", options.data], stdout=subprocess.DEVNULL, check=True)
    data = os.path.abspath(options.data)
    print("machine: %d cores; load before: %s; %s UTC\n" % (os.cpu_count(), load(), time.strftime("%d-%m-%Y %H:%M",
                                                                                                   time.gmtime())))
    parts = options.parts.split(",")
    if "benchmarks" in parts:
        compare_benchmarks(builds, options.rounds)
    if "match" in parts:
        compare_match_runs(builds, options.cli_runs, data)
    if "bad" in parts:
        compare_bad_inputs(builds, 3, data)


if __name__ == "__main__":
    main()
