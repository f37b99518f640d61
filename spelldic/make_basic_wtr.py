#!/usr/bin/env python3
"""Builds the basic dictionary (a .wtr file) from a plain word list, one word a line.

Usage: make_basic_wtr.py WORDLIST OUTPUT.wtr

Words with letters outside ASCII are left out: the viewer only ever looks up words of ASCII
letters and apostrophes. A word with apostrophes is also cut the way the viewer's scanner cuts
text ("don't" is looked up as "don" and "'t"), and its pieces are added, so that contractions
and possessives in mail are known.

The .wtr format (see word_list.h): a header line "KWTR1 <count>", then the words one a line
(LF), sorted by their ASCII-lower-cased bytes and then by their own bytes, without repeats.
"""
import sys


def fold(word):
    return word.lower()


def pieces(word):
    parts = word.split("'")
    out = []
    if parts[0]:
        out.append(parts[0])
    for p in parts[1:]:
        out.append("'" + p)
    return out


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    words = set()
    with open(argv[1], "rb") as f:
        for raw in f:
            raw = raw.rstrip(b"\r\n")
            if not raw or any(b > 0x7E or b <= 0x20 for b in raw):
                continue
            w = raw.decode("ascii")
            if len(w) > 255:
                continue
            words.add(w)
            if "'" in w:
                words.update(p for p in pieces(w) if p)
    # ASCII-only lower-casing matches the C++ fold; ties by the bytes themselves.
    ordered = sorted(words, key=lambda w: (fold(w).encode("ascii"), w.encode("ascii")))
    data = "KWTR1 %d\n" % len(ordered) + "".join(w + "\n" for w in ordered)
    tmp = argv[2] + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data.encode("ascii"))
    import os
    os.replace(tmp, argv[2])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
