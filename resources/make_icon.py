#!/usr/bin/env python3
"""Writes the application icon from its pixel art.

Run from the repository root after editing resources/icon.txt:

    python3 resources/make_icon.py resources/icon.txt resources/TopmostTamer.ico

and commit both files. The build uses the committed .ico as it is.
"""

import struct
import sys

# The standard 16-colour palette, in index order, as (red, green, blue).
PALETTE_16 = [
    ("k", (0x00, 0x00, 0x00)),
    ("m", (0x80, 0x00, 0x00)),
    ("e", (0x00, 0x80, 0x00)),
    ("o", (0x80, 0x80, 0x00)),
    ("n", (0x00, 0x00, 0x80)),
    ("p", (0x80, 0x00, 0x80)),
    ("t", (0x00, 0x80, 0x80)),
    ("s", (0xC0, 0xC0, 0xC0)),
    ("g", (0x80, 0x80, 0x80)),
    ("r", (0xFF, 0x00, 0x00)),
    ("l", (0x00, 0xFF, 0x00)),
    ("y", (0xFF, 0xFF, 0x00)),
    ("b", (0x00, 0x00, 0xFF)),
    ("f", (0xFF, 0x00, 0xFF)),
    ("a", (0x00, 0xFF, 0xFF)),
    ("w", (0xFF, 0xFF, 0xFF)),
]
PALETTE_2 = [("k", (0x00, 0x00, 0x00)), ("w", (0xFF, 0xFF, 0xFF))]
TRANSPARENT = "."


class IconError(Exception):
    pass


def read_images(path):
    """Returns [(size, bits, rows)] in file order."""
    images = []
    with open(path, encoding="ascii") as source:
        for number, line in enumerate(source, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            words = line.split()
            if words[0] == "image":
                if len(words) != 3 or words[2] not in ("1", "4"):
                    raise IconError(f"{path}:{number}: expected 'image SIZE 1|4'")
                images.append((int(words[1]), int(words[2]), []))
                continue
            if not images:
                raise IconError(f"{path}:{number}: pixels before any 'image'")
            images[-1][2].append((number, line))
    for size, _, rows in images:
        if len(rows) != size:
            raise IconError(f"{path}: a {size}x{size} image has {len(rows)} rows")
    return images


def pack_row(values, bits):
    """Packs pixel values (most significant bits first), padded to 4 bytes."""
    per_byte = 8 // bits
    data = bytearray()
    for start in range(0, len(values), per_byte):
        byte = 0
        for value in values[start : start + per_byte]:
            byte = (byte << bits) | value
        byte <<= bits * (per_byte - len(values[start : start + per_byte]))
        data.append(byte)
    while len(data) % 4:
        data.append(0)
    return bytes(data)


def encode_image(path, size, bits, rows):
    """One icon image: header, palette, colour bits and transparency mask."""
    palette = PALETTE_16 if bits == 4 else PALETTE_2
    index = {letter: i for i, (letter, _) in enumerate(palette)}
    colour_rows, mask_rows = [], []
    for number, row in rows:
        if len(row) != size:
            raise IconError(f"{path}:{number}: row is {len(row)} pixels, not {size}")
        colours, mask = [], []
        for letter in row:
            if letter == TRANSPARENT:
                colours.append(0)
                mask.append(1)
            elif letter in index:
                colours.append(index[letter])
                mask.append(0)
            else:
                raise IconError(f"{path}:{number}: '{letter}' is no {bits}-bit colour")
        colour_rows.append(pack_row(colours, bits))
        mask_rows.append(pack_row(mask, 1))
    # Bitmaps are stored bottom row first.
    pixels = b"".join(reversed(colour_rows)) + b"".join(reversed(mask_rows))
    # The height counts the colour bits and the mask together.
    header = struct.pack(
        "<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(pixels), 0, 0, 0, 0
    )
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for _, (r, g, b) in palette)
    return header + colours + pixels


def write_icon(images, path_in, path_out):
    encoded = [encode_image(path_in, *image) for image in images]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    for (size, bits, _), data in zip(images, encoded):
        directory += struct.pack(
            "<BBBBHHII", size % 256, size % 256, 1 << bits, 0, 1, bits, len(data), offset
        )
        offset += len(data)
    with open(path_out, "wb") as out:
        out.write(directory + b"".join(encoded))


def main(argv):
    if len(argv) != 3:
        print("usage: make_icon.py ICON.txt OUT.ico", file=sys.stderr)
        return 2
    try:
        write_icon(read_images(argv[1]), argv[1], argv[2])
    except (IconError, OSError) as error:
        print(f"make_icon.py: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
