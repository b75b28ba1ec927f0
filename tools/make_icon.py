#!/usr/bin/env python3
"""Packs the PNG icons of assets/icons into the Windows icon assets/icons/quorvel.ico
(PNG-compressed entries, as Windows Vista and later read them). Run it again after the
PNGs change:  python3 tools/make_icon.py
With a path it writes the icon there instead (a test compares that with the shipped one)."""
import pathlib
import struct
import sys

icons = pathlib.Path(__file__).resolve().parent.parent / "assets" / "icons"
output = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else icons / "quorvel.ico"
sizes = [32, 64, 128]
images = [(icons / f"quorvel-{size}.png").read_bytes() for size in sizes]

header = struct.pack("<HHH", 0, 1, len(images))
offset = len(header) + 16 * len(images)
entries = b""
for size, data in zip(sizes, images):
    entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
    offset += len(data)
output.write_bytes(header + entries + b"".join(images))
