#!/usr/bin/env python3
"""Checks that two builds of the lyrics tool write the same bytes for the same playlists.

Usage: bench/compare_lists.py OLD NEW [DATA]
  OLD, NEW  two lyrics executables
  DATA      the folder bench/make_inputs.py wrote (default bench/data); its playlists are matched
            against their own lyrics folders

Every playlist of examples/playlists and every file of fuzz/corpus/* (each read as .m3u, .m3u8,
.pls and .b4s) goes through `lyrics titles` and `lyrics match --folder examples/lyrics` with both
builds: exit status, standard error, the titles printed and the unmatch list's bytes must agree.
Prints the count of inputs compared and each difference; exits 1 on any.
"""
import glob
import os
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def run(lyrics, args, out):
    for listed in os.listdir(out):
        os.remove(os.path.join(out, listed))
    done = subprocess.run([lyrics] + args + (["--out", out] if args[0] == "match" else []), capture_output=True)
    lists = [open(os.path.join(out, name), "rb").read() for name in os.listdir(out)]
    stdout = done.stdout if args[0] == "titles" else b""  # match prints the list's timed name
    return done.returncode, done.stderr, stdout, lists


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    old, new = (os.path.realpath(path) for path in sys.argv[1:3])
    data = sys.argv[3] if len(sys.argv) > 3 else os.path.join(ROOT, "bench", "data")
    work = tempfile.mkdtemp()
    outs = [os.path.join(work, "old"), os.path.join(work, "new")]
    for out in outs:
        os.makedirs(out)
    lyrics = os.path.join(ROOT, "examples", "lyrics")
    cases = [(path, lyrics) for path in sorted(glob.glob(os.path.join(ROOT, "examples", "playlists", "*")))]
    for source in sorted(glob.glob(os.path.join(ROOT, "fuzz", "corpus", "*", "*"))):
        for ending in (".m3u", ".m3u8", ".pls", ".b4s"):
            cases.append((source, lyrics, ending))
    for folder in sorted(glob.glob(os.path.join(data, "match-*"))):
        for path in sorted(glob.glob(os.path.join(folder, "*.*"))):
            if not path.endswith(".part"):
                cases.append((path, os.path.join(folder, "lyrics")))
    differences = 0
    for case in cases:
        path, folder = case[0], case[1]
        if len(case) == 3:  # a corpus file under a playlist's name
            path = os.path.join(work, "input" + case[2])
            shutil.copyfile(case[0], path)
        commands = [["match", "--folder", folder, "--playlist", path]]
        if os.path.getsize(path) < 50 << 20:
            commands.append(["titles", path])
        for args in commands:
            if run(old, args, outs[0]) != run(new, args, outs[1]):
                differences += 1
                print(f"differs: {args[0]} {case[0]} {case[2] if len(case) == 3 else ''}")
    shutil.rmtree(work)
    print(f"{len(cases)} inputs compared, {differences} differences")
    sys.exit(1 if differences else 0)


if __name__ == "__main__":
    main()
