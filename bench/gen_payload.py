#!/usr/bin/env python3
"""Writes the large benchmark payload: the shipped payload's eleven names
(so the installer's renames succeed), about 400 MB, most of it in Pultix.exe.
Deterministic, and about half compressible, like real program files, so
NSIS's compression has something to do."""
import os
import random
import sys

MIB = 1 << 20
# name -> size; the manifest is written last and lists itself.
FILES = [
    ("Pultix.cnt", 4 * 1024),
    ("Pultix.exe", 345 * MIB),
    ("PULTIX.HLP", 16 * MIB),
    ("pultix.hu", 6 * MIB),
    ("Logbix.HU", 2 * MIB),
    ("file.lst", None),
    ("Zeta1.def", 3 * MIB),
    ("Zeta2.def", 3 * MIB),
    ("Zeta3.def", 3 * MIB),
    ("Zeta4.def", 3 * MIB),
    ("Zeta5.def", 3 * MIB),
]
VERSION = "2.00.001"


def write_file(path, size, rng):
    # Each MiB: half random bytes, half a repeated text pattern.
    pattern = (b"PULTIX panel definition record 0123456789 " * 20000)[: MIB // 2]
    with open(path, "wb") as f:
        left = size
        while left > 0:
            block = rng.randbytes(MIB // 2) + pattern
            f.write(block[:left])
            left -= len(block)


def main():
    out = sys.argv[1]
    if len(sys.argv) > 2:
        FILES[1] = ("Pultix.exe", int(sys.argv[2]) * MIB)
    os.makedirs(out, exist_ok=True)
    rng = random.Random(20240601)
    for name, size in FILES:
        if size is not None:
            write_file(os.path.join(out, name), size, rng)
    lines = [name for name, _ in FILES] + [VERSION]
    with open(os.path.join(out, "file.lst"), "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("ascii"))


if __name__ == "__main__":
    main()
