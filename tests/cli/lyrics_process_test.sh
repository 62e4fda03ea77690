#!/bin/sh
# The lyrics tool as a process, where the faults only show there: standard output on a full disk,
# a pipe given as the playlist, memory running out, a huge sparse playlist.
# Usage: lyrics_process_test.sh LYRICS CASE
set -u
lyrics=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

which=$2
case $which in
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
    # Out of memory, every command ends with its message and exit 1, never with an abort. A limit
    # on the address space makes the outcome the same on every machine.
    { printf '#EXTM3U\n#EXTINF:1,'; head -c 50000000 /dev/zero | tr '\0' 'x'; printf '\np\n'; } >"$work/long.m3u"
    head -c 300000000 /dev/zero | tr '\0' 'x' >"$work/caption"
    for limit_command in "400000 titles $work/long.m3u" "200000 caption"; do
        set -- $limit_command
        limit=$1
        shift
        # shellcheck disable=SC2068 # the command's words
        (ulimit -v "$limit" && "$lyrics" $@ <"$work/caption") >/dev/null 2>"$work/err"
        code=$?
        [ "$code" = 0 ] || { [ "$code" = 1 ] && grep -q "not enough memory" "$work/err"; } ||
            fail "lyrics $* under $limit KB: exit $code: $(head -c 300 "$work/err")"
    done
    ;;
sparse)
    # A playlist is read as it is walked, and what is known to be zeros is not read: a 10 GB sparse
    # file costs neither its size in memory nor the time to read it.
    truncate -s 10G "$work/s.m3u" && truncate -s 10G "$work/s.b4s" || exit 0
    (ulimit -v 400000 && timeout 20 "$lyrics" titles "$work/s.m3u") >"$work/out" 2>"$work/err"
    code=$?
    [ "$code" = 0 ] && grep -q "titles: 0" "$work/out" || fail "titles on 10 GB of zeros: exit $code: $(cat "$work/err")"
    (ulimit -v 400000 && timeout 20 "$lyrics" titles "$work/s.b4s") >/dev/null 2>"$work/err"
    code=$?
    [ "$code" = 1 ] && grep -q "fewer than four lines" "$work/err" || fail "a .b4s of 10 GB of zeros: exit $code: $(cat "$work/err")"
    ;;
*)
    fail "no case $which"
    ;;
esac
echo "ok: $which"
