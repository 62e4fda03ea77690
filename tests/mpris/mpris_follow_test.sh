#!/bin/sh
# lyrics playing and lyrics follow against stand-in MPRIS players on a private session bus that
# the test starts and always ends. Usage: mpris_follow_test.sh LYRICS MPRIS_PLAYER CASE
set -u
lyrics=$1
stand_in=$2
work=$(mktemp -d)
bus_pid=
follow_pid=
cleanup() {
    [ -n "$follow_pid" ] && kill "$follow_pid" 2>/dev/null
    [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    [ -f "$work/out" ] && { echo "--- follow's output:"; cat "$work/out"; echo "--- its errors:"; cat "$work/err"; }
    exit 1
}

# The bus: dbus-daemon prints its address and process id.
dbus-daemon --session --fork --nopidfile --print-address=3 --print-pid=4 3>"$work/address" 4>"$work/pid" ||
    fail "no dbus-daemon"
bus_pid=$(cat "$work/pid")
DBUS_SESSION_BUS_ADDRESS=$(cat "$work/address")
export DBUS_SESSION_BUS_ADDRESS
mkdir "$work/lyrics"
lyrics_folder=$work/lyrics

# A player NAME [STATUS ARTISTS TITLE], back once it is on the bus.
player() {
    "$stand_in" "$@" >"$work/ready.$1" 2>&1 &
    for _ in $(seq 100); do grep -q ready "$work/ready.$1" && return; sleep 0.05; done
    fail "player $1 did not start"
}
# Tells player NAME to METHOD ARGS... (dbus-send's typed arguments).
tell() {
    name=$1 method=$2
    shift 2
    dbus-send --session --print-reply --dest="org.mpris.MediaPlayer2.$name" /org/mpris/MediaPlayer2 \
        "org.lyrics.StandIn.$method" "$@" >/dev/null || fail "player $name: $method"
}
set_song() { tell "$1" Set "string:$2" "string:$3" "string:$4"; }
lyrics_file() { printf 'words\n' >"$lyrics_folder/$1.txt"; }
follow() {
    "$lyrics" follow --folder "$lyrics_folder" "$@" >"$work/out" 2>"$work/err" &
    follow_pid=$!
}
# Waits (10 s at most) until follow's output has N lines.
lines() {
    for _ in $(seq 200); do [ "$(wc -l <"$work/out")" -ge "$1" ] && return; sleep 0.05; done
    fail "follow printed $(wc -l <"$work/out") lines, not $1"
}
# Line N of follow's output must be TEXT.
line_is() { [ "$(sed -n "$1p" "$work/out")" = "$2" ] || fail "line $1 is \"$(sed -n "$1p" "$work/out")\", not \"$2\""; }
# Stops follow with SIGNAL; it must end by itself with exit 0.
stop_follow() {
    kill "-$1" "$follow_pid"
    wait "$follow_pid"
    code=$?
    follow_pid=
    [ "$code" = 0 ] || fail "follow ended with $code on SIG$1"
}
# Nothing more may come: a quiet moment, then the count is still N.
still() { sleep 0.3; [ "$(wc -l <"$work/out")" -eq "$1" ] || fail "follow printed more than $1 lines"; }
status_of() { awk -v k="$1:" '$1 == k { print $2 }' "/proc/$follow_pid/status"; }

case $3 in
scripts)
    # Greek, Japanese and an emoji reach the file names as their UTF-8 bytes; a list of artists joins.
    lyrics_file "Μίκης Θεοδωράκης - Άρνηση"
    lyrics_file "坂本九 - 上を向いて歩こう"
    player alpha Playing "Μίκης Θεοδωράκης" "Άρνηση"
    "$lyrics" playing >"$work/playing" || fail "playing: exit $?"
    [ "$(cat "$work/playing")" = "$(printf 'Μίκης Θεοδωράκης - Άρνηση\talpha')" ] || fail "playing: $(cat "$work/playing")"
    follow
    lines 1
    line_is 1 "$lyrics_folder/Μίκης Θεοδωράκης - Άρνηση.txt"
    set_song alpha Playing "坂本九" "上を向いて歩こう"
    lines 2
    line_is 2 "$lyrics_folder/坂本九 - 上を向いて歩こう.txt"
    set_song alpha Playing "Ana|Bo" "🎵 Ünïcode"
    lines 3
    line_is 3 "no lyrics: Ana, Bo - 🎵 Ünïcode"
    stop_follow INT
    ;;
players)
    # The one playing is followed, else the one that changed last; --player picks by name.
    lyrics_file "Red - One"
    player alpha Playing Red One
    player beta Paused Blue Two
    follow
    lines 1
    line_is 1 "$lyrics_folder/Red - One.txt"
    tell alpha Status string:Paused
    still 1
    tell beta Status string:Playing
    lines 2
    line_is 2 "no lyrics: Blue - Two"
    "$lyrics" playing --player alpha 2>"$work/playing" && fail "playing --player alpha: a paused player plays"
    grep -q "nothing plays (alpha: Paused)" "$work/playing" || fail "playing --player alpha: $(cat "$work/playing")"
    "$lyrics" playing --player gamma 2>"$work/playing" && fail "playing --player gamma: exit 0"
    grep -q 'no player "gamma"' "$work/playing" || fail "playing --player gamma: $(cat "$work/playing")"
    stop_follow TERM
    follow --player alpha
    lines 1
    line_is 1 "$lyrics_folder/Red - One.txt"
    set_song beta Playing Blue Three
    still 1
    stop_follow INT
    ;;
quits)
    # A player that quits hands over to the one left; one that comes is followed when it plays.
    player alpha Playing Red One
    player beta Paused Blue Two
    follow
    lines 1
    line_is 1 "no lyrics: Red - One"
    tell alpha Quit
    lines 2
    line_is 2 "no lyrics: Blue - Two"
    tell beta Quit
    still 2
    player gamma Playing "" Solo
    lines 3
    line_is 3 "no lyrics: Solo"
    stop_follow INT
    ;;
paused)
    # A pause, the same song again and blank fields for a moment are no change.
    "$lyrics" playing 2>"$work/playing" && fail "playing with no player: exit 0"
    grep -q "no media player" "$work/playing" || fail "playing with no player: $(cat "$work/playing")"
    player alpha Playing Red One
    follow
    lines 1
    tell alpha Status string:Paused
    set_song alpha Playing "" ""
    set_song alpha Playing Red One
    still 1
    "$lyrics" playing >/dev/null || fail "playing: exit $?"
    set_song alpha Playing "" "   "
    "$lyrics" playing 2>"$work/playing" && fail "playing a blank title: exit 0"
    set_song alpha Playing Red Two
    lines 2
    line_is 2 "no lyrics: Red - Two"
    # A player that names Metadata as changed without its value is read afresh.
    tell alpha Invalidate string:Playing string:Red string:Three
    lines 3
    line_is 3 "no lyrics: Red - Three"
    stop_follow INT
    ;;
bus-gone)
    # follow ends by itself, exit 0, when the bus goes away.
    player alpha Playing Red One
    follow
    lines 1
    kill "$bus_pid"
    bus_pid=
    for _ in $(seq 100); do kill -0 "$follow_pid" 2>/dev/null || break; sleep 0.05; done
    wait "$follow_pid"
    code=$?
    follow_pid=
    [ "$code" = 0 ] || fail "follow ended with $code when the bus went away"
    grep -q "the session bus went away" "$work/err" || fail "no word of the bus: $(cat "$work/err")"
    ;;
open)
    # --open starts xdg-open (here a stand-in that notes its argument) without waiting for it and
    # collects it; --editor starts $VISUAL.
    mkdir "$work/bin"
    printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s/opened"\nsleep 0.2\n' "$work" >"$work/bin/xdg-open"
    chmod +x "$work/bin/xdg-open"
    lyrics_file "Red - One"
    lyrics_file "Blue - Two"
    player alpha Playing Red One
    PATH=$work/bin:$PATH follow --open
    for _ in $(seq 100); do [ -s "$work/opened" ] && break; sleep 0.05; done
    set_song alpha Playing Blue Two
    set_song alpha Playing Blue Three
    lines 1
    line_is 1 "no lyrics: Blue - Three"
    sleep 0.5
    [ "$(cat "$work/opened")" = "$(printf '%s\n%s' "$lyrics_folder/Red - One.txt" "$lyrics_folder/Blue - Two.txt")" ] ||
        fail "opened: $(cat "$work/opened")"
    zombies=$(for s in /proc/[0-9]*/status; do
        awk -v p="$follow_pid" '$1 == "PPid:" && $2 == p { c = 1 } $1 == "State:" { z = $2 == "Z" } END { if (c && z) print }' "$s" 2>/dev/null
    done | wc -l)
    [ "$zombies" = 0 ] || fail "$zombies programs it started were not collected"
    stop_follow INT
    lyrics_file "Blue - Three"
    VISUAL="sh -c 'echo \"\$0\" >>$work/edited'" follow --editor
    for _ in $(seq 100); do [ -s "$work/edited" ] && break; sleep 0.05; done
    [ "$(cat "$work/edited")" = "$lyrics_folder/Blue - Three.txt" ] || fail "edited: $(cat "$work/edited" 2>&1)"
    stop_follow TERM
    ;;
churn)
    # 1,000 song changes: memory and descriptors stay as they were after the first 100.
    player alpha Playing "" "Song 0"
    follow
    lines 1
    tell alpha Churn uint32:100
    lines 101
    rss_before=$(status_of VmRSS)
    fds_before=$(ls "/proc/$follow_pid/fd" | wc -l)
    tell alpha Churn uint32:1000
    lines 1101
    rss_after=$(status_of VmRSS)
    fds_after=$(ls "/proc/$follow_pid/fd" | wc -l)
    echo "after 100 songs: VmRSS $rss_before kB, $fds_before descriptors; after 1,100: VmRSS $rss_after kB, $fds_after descriptors"
    [ "$fds_after" = "$fds_before" ] || fail "descriptors went from $fds_before to $fds_after"
    [ "$rss_after" -le $((rss_before + 512)) ] || fail "memory grew from $rss_before kB to $rss_after kB"
    # Waiting costs no processor time: not a tick in a second without songs.
    ticks_before=$(awk '{ print $14 + $15 }' "/proc/$follow_pid/stat")
    sleep 1
    ticks_after=$(awk '{ print $14 + $15 }' "/proc/$follow_pid/stat")
    [ "$ticks_after" -le $((ticks_before + 1)) ] || fail "follow used $((ticks_after - ticks_before)) ticks waiting"
    stop_follow INT
    ;;
*)
    fail "no case $3"
    ;;
esac
echo "ok: $3"
