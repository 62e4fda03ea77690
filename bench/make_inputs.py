#!/usr/bin/env python3
"""Writes the big inputs that docs/performance.md measures the lyrics tool on.

Usage: bench/make_inputs.py [OUT]   (OUT defaults to bench/data, which git ignores)

  OUT/match-100k/playlist.m3u   100,000 "Artist - Title" entries (Windows-1252, CR LF)
  OUT/match-100k/playlist.m3u8  the same entries in UTF-8 without a byte-order mark
  OUT/match-100k/lyrics/        100,000 files: about half of the titles' lyrics (some in another
                                letter case), the rest lyrics without a title, and a few non-.txt files
  OUT/m3u-1m.m3u                1,000,000 entries
  OUT/bad/                      one 100 MB line as .m3u, .pls and .b4s (alone, and as an entry after
                                the header); 50 MB of random bytes named .m3u; a .b4s whose name line
                                is 10 MB of "&amp;"
Existing files are kept, so a second run only fills in what is missing.
"""
import os
import random
import sys

ARTISTS = ["The Beatles", "Ábba", "Queen", "Björk", "Radiohead", "Édith Piaf", "Nina Simone", "Daft Punk",
           "Portishead", "Sigur Rós", "Miles Davis", "Motörhead", "Kraftwerk", "Joni Mitchell", "Massive Attack",
           "Blondie", "Nirvana", "Stromae", "Røyksopp", "Fleetwood Mac", "Prince", "Ólafur Arnalds",
           "Talking Heads", "Air"]
WORDS = ["Blue", "Morning", "River", "Heart", "Night", "Summer", "Rain", "Dancing", "Light", "Shadow", "Fire",
         "Dream", "Street", "Ocean", "Golden", "Silence", "Love", "Train", "Café", "Garden", "Winter", "Moon",
         "Road", "Échos", "Home", "Stars", "Glass", "Angel", "Money", "Storm", "Time", "Kiss"]
MB = 1 << 20


def song_name(i):
    rest = i // len(ARTISTS)
    name = f"{ARTISTS[i % len(ARTISTS)]} - {WORDS[rest % len(WORDS)]}"
    rest //= len(WORDS)
    name += " " + WORDS[(rest + 7) % len(WORDS)]
    rest //= len(WORDS)
    return name + (f" (Take {rest})" if rest else "")


def write_m3u(path, titles, encoding="cp1252"):
    with open(path, "wb") as out:
        out.write(b"#EXTM3U\r\n")
        for i, title in enumerate(titles):
            data = title.encode(encoding)
            out.write(b"#EXTINF:%d," % (120 + i % 300) + data + b"\r\nC:\\Music\\" + data + b".mp3\r\n")


def make_match(root, count, rng):
    playlist = os.path.join(root, "playlist.m3u")
    lyrics = os.path.join(root, "lyrics")
    utf8 = os.path.join(root, "playlist.m3u8")
    if not os.path.exists(utf8):
        os.makedirs(root, exist_ok=True)
        write_m3u(utf8 + ".part", (song_name(i) for i in range(count)), "utf-8")
        os.replace(utf8 + ".part", utf8)
    if os.path.exists(playlist) and os.path.isdir(lyrics):
        return
    os.makedirs(lyrics, exist_ok=True)
    titles, names = [], []
    for i in range(count):
        title = song_name(i)
        titles.append(title)
        roll = rng.randrange(100)
        if roll < 10:
            names.append(title.upper() if roll % 2 else title.lower())
        elif roll < 50:
            names.append(title)
    others = count
    while len(names) < count - 100:
        names.append(song_name(others))
        others += 1
    for n, name in enumerate(names):
        with open(os.path.join(lyrics, name + ".txt"), "w", encoding="utf-8") as out:
            out.write(f"{name}\n\nLa la la.\n")
    for n in range(count - len(names)):  # not lyrics: never matched, never reported
        open(os.path.join(lyrics, f"cover {n}.jpg"), "wb").close()
    write_m3u(playlist + ".part", titles)
    os.replace(playlist + ".part", playlist)


def write_once(path, chunks):
    if os.path.exists(path):
        return
    with open(path + ".part", "wb") as out:
        for chunk in chunks:
            out.write(chunk)
    os.replace(path + ".part", path)


def huge_line(marker, size=100 * MB):
    yield marker
    block = b"x" * MB
    left = size - len(marker)
    while left > 0:
        yield block[:min(left, MB)]
        left -= MB


def make_bad(root, rng):
    os.makedirs(root, exist_ok=True)
    markers = {"m3u": b"#EXTINF:1,", "pls": b"Title1=", "b4s": b"<Name>"}
    headers = {"m3u": b"#EXTM3U\r\n", "pls": b"[playlist]\r\nFile1=a.mp3\r\n",
               "b4s": b'<?xml version="1.0"?>\r\n<WinampXML>\r\n<!-- bad -->\r\n<playlist num_entries="1">\r\n<entry>\r\n'}
    for kind, marker in markers.items():
        write_once(os.path.join(root, f"one-line-100mb.{kind}"), huge_line(marker))
        write_once(os.path.join(root, f"huge-entry-100mb.{kind}"), [headers[kind], *huge_line(marker), b"\r\n"])
    write_once(os.path.join(root, "random-50mb.m3u"), (rng.randbytes(MB) for _ in range(50)))
    write_once(os.path.join(root, "amp-10mb.b4s"),
               [headers["b4s"], b"<Name>", b"&amp;" * (10 * MB // 5), b"</Name>\r\n      <Length>1000</Length>\r\n</entry>\r\n"])
    os.makedirs(os.path.join(root, "empty-folder"), exist_ok=True)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "data")
    rng = random.Random(1)
    os.makedirs(out, exist_ok=True)
    make_match(os.path.join(out, "match-100k"), 100_000, rng)
    m3u = os.path.join(out, "m3u-1m.m3u")
    if not os.path.exists(m3u):
        write_m3u(m3u + ".part", (song_name(i) for i in range(1_000_000)))
        os.replace(m3u + ".part", m3u)
    make_bad(os.path.join(out, "bad"), rng)
    print(out)


if __name__ == "__main__":
    main()
