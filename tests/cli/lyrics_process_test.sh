#!/bin/sh
# The lyrics tool as a process, where the faults only show there: standard output on a full disk,
# a pipe given as the playlist, a playlist too big for memory.
# Usage: lyrics_process_test.sh LYRICS CASE
set -u
lyrics=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

case $2 in
full-output)
    printf '#EXTM3U\n#EXTINF:10,Only One\nx.mp3\n' >"$work/one.m3u"
    mkdir "$work/lyrics"
    for command in "--help" "--version" "titles $work/one.m3u" "caption Song" \
        "match --folder $work/lyrics --playlist $work/one.m3u --out $work"; do
        # shellcheck disable=SC2086 # the command's words
        "$lyrics" $command >/dev/full 2>"$work/err"
        code=$?
        [ "$code" = 1 ] || fail "lyrics $command >/dev/full: exit $code"
        grep -q "standard output could not be written" "$work/err" || fail "lyrics $command: $(cat "$work/err")"
    done
    ;;
pipe)
    mkfifo "$work/f.m3u"
    timeout 20 "$lyrics" titles "$work/f.m3u" >/dev/null 2>"$work/err"
    code=$?
    [ "$code" = 1 ] || fail "titles on a pipe: exit $code (124: it hung)"
    grep -q "is not a playlist file" "$work/err" || fail "titles on a pipe: $(cat "$work/err")"
    ln -s /dev/zero "$work/z.m3u"
    mkdir "$work/lyrics"
    timeout 20 "$lyrics" match --folder "$work/lyrics" --playlist "$work/z.m3u" --out "$work" >/dev/null 2>"$work/err"
    code=$?
    [ "$code" = 1 ] || fail "match on /dev/zero: exit $code"
    ;;
memory)
    truncate -s 50G "$work/s.m3u" || exit 0
    # A limit on the address space makes the outcome the same on every machine.
    (ulimit -v 2000000 && "$lyrics" titles "$work/s.m3u") >/dev/null 2>"$work/err"
    code=$?
    [ "$code" = 1 ] || fail "titles on 50 GB: exit $code: $(cat "$work/err")"
    grep -q "s.m3u\" is too big to be read" "$work/err" || fail "titles on 50 GB: $(cat "$work/err")"
    ;;
*)
    fail "no case $2"
    ;;
esac
echo "ok: $2"
