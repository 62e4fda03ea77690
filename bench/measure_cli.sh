#!/usr/bin/env bash
# Measures the lyrics tool on the inputs of make_inputs.py: the whole match on 100,000 titles and
# 100,000 files beside cat + ls -f of the same inputs, peak memory, and the bad inputs.
# Usage: bench/measure_cli.sh [LYRICS [DATA]]
#   LYRICS defaults to build/bench/cli/lyrics, DATA to bench/data (made if missing).
# Needs hyperfine and GNU time (apt-get install hyperfine time).
set -euo pipefail
cd "$(dirname "$0")/.."
lyrics=$(realpath "${1:-build/bench/cli/lyrics}")
data=$(realpath -m "${2:-bench/data}")
python3 bench/make_inputs.py "$data" >/dev/null
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

echo "== machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs); load: $(cut -d' ' -f1-3 /proc/loadavg)"

echo "== lyrics match, 100,000 titles x 100,000 files, beside cat + ls -f"
cd "$data/match-100k"
hyperfine -N --warmup 3 --runs 20 \
  "$lyrics match --folder lyrics --playlist playlist.m3u --out $out" \
  "cat playlist.m3u" \
  "ls -f lyrics"
for run in 1 2 3; do
  /usr/bin/time -f "match: %e s wall, %U s user, %S s system, peak %M KB" \
    "$lyrics" match --folder lyrics --playlist playlist.m3u --out "$out" >/dev/null
done

echo "== the same titles in a UTF-8 playlist (playlist.m3u8): decoded whole before its lines are found"
for run in 1 2 3; do
  /usr/bin/time -f "match .m3u8: %e s wall, %U s user, %S s system, peak %M KB" \
    "$lyrics" match --folder lyrics --playlist playlist.m3u8 --out "$out" >/dev/null
done

echo "== bad input: time and peak memory (exit status in brackets)"
cd "$data/bad"
measure() {  # name, then the command
  local name=$1 status=0
  shift
  /usr/bin/time -o "$out/time" -f "%e s wall, peak %M KB" "$@" >"$out/stdout" 2>"$out/stderr" || status=$?
  printf '%-28s %s [%d] %s\n' "$name" "$(cat "$out/time" | tail -1)" "$status" "$(head -c 150 "$out/stderr" | tr '\n' ' ')"
}
for file in one-line-100mb.m3u one-line-100mb.pls one-line-100mb.b4s huge-entry-100mb.m3u huge-entry-100mb.pls \
            huge-entry-100mb.b4s random-50mb.m3u amp-10mb.b4s; do
  measure "$file" "$lyrics" match --folder empty-folder --playlist "$file" --out "$out"
done
measure "titles amp-10mb.b4s" "$lyrics" titles amp-10mb.b4s
echo "== load after: $(cut -d' ' -f1-3 /proc/loadavg)"
