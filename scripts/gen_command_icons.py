#!/usr/bin/env python3
"""Draws the icon strips of res/icons from their cell tables and the Tango icon set (Debian package
tango-icon-theme): command_icons_16.bmp and command_icons_24.bmp from command_icons.txt, and
tool_icons_16.bmp (the compiler generations of the build configuration box) from tool_icons.txt.

    python3 scripts/gen_command_icons.py [--icons /usr/share/icons/Tango] [--table FILE]
                                         [--output-dir DIR] [--preview DIR]

With --table only that table is drawn, at the sizes of its strip (16 and 24 for a table whose name
is not listed below).

Each strip is one row of square cells, 32 bits per pixel with straight (not premultiplied) alpha,
written as a bottom-up BMP with a BITMAPINFOHEADER so that LoadImageW with LR_CREATEDIBSECTION
keeps the alpha bytes. ImageMagick's convert decodes and scales the source pictures; the layers
are composed here. The strips are checked in; run this again after changing the table.
"""

import argparse
import math
import re
import struct
import subprocess
import sys
import zlib
from pathlib import Path

REPO = Path(__file__).resolve().parent.parent
STRIPS = {"command_icons": (16, 24), "tool_icons": (16,)}  # table name: sizes drawn
PLACES = ("nw", "ne", "sw", "se", "c")
PILCROW_COLOUR = (0x20, 0x4A, 0x87)  # the set's own dark blue, so the drawn mark sits with its pictures
PLATE_COLOUR = (0xFF, 0xFF, 0xFF)


class GeneratorError(Exception):
    pass


class Layer:
    def __init__(self, name, scale, place):
        self.name = name
        self.scale = scale
        self.place = place


class Cell:
    def __init__(self, index, command, layers, meaning):
        self.index = index
        self.command = command
        self.layers = layers
        self.meaning = meaning


def parse_layer(text, where):
    parts = text.split(":")
    drawn = parts[0] == "draw"
    if drawn:
        if len(parts) < 2:
            raise GeneratorError(f"{where}: 'draw' needs a shape name")
        parts = ["draw:" + parts[1]] + parts[2:]
    if not parts[0] or len(parts) > 3:
        raise GeneratorError(f"{where}: bad layer '{text}'")
    scale = 1.0
    if len(parts) > 1:
        try:
            scale = float(parts[1])
        except ValueError:
            raise GeneratorError(f"{where}: bad scale in '{text}'") from None
        if not 0.25 <= scale <= 1.0:
            raise GeneratorError(f"{where}: scale out of 0.25-1 in '{text}'")
    place = parts[2] if len(parts) > 2 else "c"
    if place not in PLACES:
        raise GeneratorError(f"{where}: place must be one of {', '.join(PLACES)} in '{text}'")
    return Layer(parts[0], scale, place)


def read_table(path):
    """The cells of the table in index order; the indexes must run from 0 without a gap."""
    cells = {}
    commands = {}
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        where = f"{path.name}:{number}"
        fields = line.split(None, 3)
        if len(fields) < 4:
            raise GeneratorError(f"{where}: expected index, command, picture and meaning")
        try:
            index, command = int(fields[0]), int(fields[1])
        except ValueError:
            raise GeneratorError(f"{where}: index and command must be numbers") from None
        if index < 0:
            raise GeneratorError(f"{where}: negative index {index}")
        if index in cells:
            raise GeneratorError(f"{where}: cell {index} given twice")
        if command in commands:
            raise GeneratorError(f"{where}: command {command} already has cell {commands[command]}")
        layers = [parse_layer(part, where) for part in fields[2].split("+")]
        cells[index] = Cell(index, command, layers, fields[3])
        commands[command] = index
    count = max(cells) + 1 if cells else 0
    missing = [i for i in range(count) if i not in cells]
    if missing or not cells:
        raise GeneratorError(f"{path.name}: no line for cells {missing or [0]}")
    return [cells[i] for i in range(count)]


def available_sizes(icon_root):
    sizes = []
    for folder in icon_root.iterdir():
        match = re.fullmatch(r"(\d+)x\1", folder.name)
        if match and folder.is_dir():
            sizes.append(int(match.group(1)))
    return sorted(sizes)


def find_icon(icon_root, size, name):
    for context in sorted((icon_root / f"{size}x{size}").iterdir()):
        candidate = context / f"{name}.png"
        if candidate.exists():
            return candidate
    return None


def source_for(icon_root, sizes, name, pixels):
    """The picture drawn at exactly this size if the set has one, else the smallest larger one
    (scaling down keeps more detail than scaling up), else the largest there is."""
    ordered = [s for s in sizes if s == pixels] + [s for s in sizes if s > pixels] + sorted(
        (s for s in sizes if s < pixels), reverse=True)
    for size in ordered:
        found = find_icon(icon_root, size, name)
        if found:
            return found
    raise GeneratorError(f"icon '{name}' is not in {icon_root}")


def load_rgba(path, pixels):
    """Decodes and scales one picture with ImageMagick; returns rows of (r, g, b, a) in 0-255."""
    command = ["convert", str(path), "-alpha", "on", "-background", "none"]
    command += ["-resize", f"{pixels}x{pixels}!"]
    command += ["-depth", "8", "rgba:-"]
    try:
        data = subprocess.run(command, check=True, capture_output=True).stdout
    except FileNotFoundError:
        raise GeneratorError("ImageMagick's convert is needed (apt-get install imagemagick)") from None
    except subprocess.CalledProcessError as error:
        raise GeneratorError(f"convert failed on {path}: {error.stderr.decode(errors='replace')}") from None
    if len(data) != pixels * pixels * 4:
        raise GeneratorError(f"convert gave {len(data)} bytes for {path} at {pixels} pixels")
    return [[tuple(data[(y * pixels + x) * 4:(y * pixels + x) * 4 + 4]) for x in range(pixels)]
            for y in range(pixels)]


def pilcrow(u, v):
    # The paragraph mark: a round bowl hanging from the top bar, and two stems.
    if 0.06 <= v <= 0.2 and 0.3 <= u <= 0.9:
        return True
    if 0.06 <= v <= 0.94 and (0.5 <= u <= 0.63 or 0.74 <= u <= 0.87):
        return True
    du, dv = (u - 0.36) / 0.27, (v - 0.32) / 0.26
    return u <= 0.56 and du * du + dv * dv <= 1.0


def plate(u, v):
    # A light rounded plate that digits are written on.
    du, dv = max(0.0, abs(u - 0.5) - 0.38), max(0.0, abs(v - 0.5) - 0.38)
    return du * du + dv * dv <= 0.12 * 0.12


# Digits of three by five squares, rows from the top; "#" is ink.
DIGITS = {
    "0": ("###", "#.#", "#.#", "#.#", "###"), "1": (".#.", "##.", ".#.", ".#.", "###"),
    "2": ("###", "..#", "###", "#..", "###"), "3": ("###", "..#", ".##", "..#", "###"),
    "4": ("#.#", "#.#", "###", "..#", "..#"), "5": ("###", "#..", "###", "..#", "###"),
    "6": ("###", "#..", "###", "#.#", "###"), "7": ("###", "..#", ".#.", ".#.", ".#."),
    "8": ("###", "#.#", "###", "#.#", "###"), "9": ("###", "#.#", "###", "..#", "###"),
}


def digits_shape(text):
    """The digits side by side, one square apart, centred in the layer."""
    if not text or any(c not in DIGITS for c in text):
        raise GeneratorError(f"'draw:text-{text}' needs digits only")
    columns = 4 * len(text) - 1
    unit = 1.0 / (max(columns, 5) + 2)
    left, top = (1.0 - columns * unit) / 2, (1.0 - 5 * unit) / 2

    def inside(u, v):
        column, row = math.floor((u - left) / unit), math.floor((v - top) / unit)
        if not (0 <= column < columns and 0 <= row < 5) or column % 4 == 3:
            return False
        return DIGITS[text[column // 4]][row][column % 4] == "#"
    return inside


DRAWN_SHAPES = {"draw:pilcrow": (pilcrow, PILCROW_COLOUR), "draw:plate": (plate, PLATE_COLOUR)}


def drawn_shape(name):
    if name.startswith("draw:text-"):
        return digits_shape(name[len("draw:text-"):]), PILCROW_COLOUR
    if name not in DRAWN_SHAPES:
        raise GeneratorError(f"no drawn shape '{name}'; known: {', '.join(DRAWN_SHAPES)}, draw:text-DIGITS")
    return DRAWN_SHAPES[name]


def draw_rgba(name, pixels):
    inside, colour = drawn_shape(name)
    samples = 4
    rows = []
    for y in range(pixels):
        row = []
        for x in range(pixels):
            hits = sum(inside((x + (sx + 0.5) / samples) / pixels, (y + (sy + 0.5) / samples) / pixels)
                       for sy in range(samples) for sx in range(samples))
            row.append(colour + (round(255 * hits / (samples * samples)),))
        rows.append(row)
    return rows


def blend_over(canvas, layer, left, top):
    """Source-over with straight alpha, in place."""
    for y, row in enumerate(layer):
        for x, (r, g, b, a) in enumerate(row):
            if a == 0:
                continue
            dr, dg, db, da = canvas[top + y][left + x]
            sa, ba = a / 255.0, da / 255.0
            out = sa + ba * (1.0 - sa)
            mix = [(s * sa + d * ba * (1.0 - sa)) / out for s, d in ((r, dr), (g, dg), (b, db))]
            canvas[top + y][left + x] = tuple(min(255, round(c)) for c in mix) + (min(255, round(out * 255)),)


def offset(place, cell, pixels):
    free = cell - pixels
    column = {"nw": 0, "sw": 0, "ne": free, "se": free, "c": free // 2}[place]
    row = {"nw": 0, "ne": 0, "sw": free, "se": free, "c": free // 2}[place]
    return column, row


def render_cell(cell, size, icon_root, sizes):
    canvas = [[(0, 0, 0, 0)] * size for _ in range(size)]
    for layer in cell.layers:
        pixels = max(1, int(math.floor(size * layer.scale + 0.5)))
        if layer.name.startswith("draw:"):
            picture = draw_rgba(layer.name, pixels)
        else:
            picture = load_rgba(source_for(icon_root, sizes, layer.name, pixels), pixels)
        left, top = offset(layer.place, size, pixels)
        blend_over(canvas, picture, left, top)
    # Fully transparent pixels carry no colour, so the strip compresses and compares cleanly.
    return [[px if px[3] else (0, 0, 0, 0) for px in row] for row in canvas]


def render_strip(cells, size, icon_root, sizes):
    strip = [[] for _ in range(size)]
    for cell in cells:
        for y, row in enumerate(render_cell(cell, size, icon_root, sizes)):
            strip[y].extend(row)
    return strip


def bmp_bytes(rows):
    height, width = len(rows), len(rows[0])
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return file_header + info + pixels


def png_bytes(rows):
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--icons", type=Path, default=Path("/usr/share/icons/Tango"),
                        help="root of the Tango icon set (folders 16x16, 22x22, ...)")
    parser.add_argument("--table", type=Path, help="draw only this table (default: every strip's table)")
    parser.add_argument("--output-dir", type=Path, default=REPO / "res" / "icons")
    parser.add_argument("--preview", type=Path, help="also write the strips as PNG files into this folder")
    args = parser.parse_args()
    try:
        if not args.icons.is_dir():
            raise GeneratorError(f"{args.icons} is not a folder (apt-get install tango-icon-theme)")
        sizes = available_sizes(args.icons)
        if not sizes:
            raise GeneratorError(f"{args.icons} has no NxN size folders")
        tables = [args.table] if args.table else [REPO / "res" / "icons" / f"{name}.txt" for name in STRIPS]
        for table in tables:
            cells = read_table(table)
            for size in STRIPS.get(table.stem, (16, 24)):
                strip = render_strip(cells, size, args.icons, sizes)
                target = args.output_dir / f"{table.stem}_{size}.bmp"
                target.write_bytes(bmp_bytes(strip))
                print(f"wrote {target} ({len(strip[0])} x {size})")
                if args.preview:
                    args.preview.mkdir(parents=True, exist_ok=True)
                    (args.preview / f"{table.stem}_{size}.png").write_bytes(png_bytes(strip))
    except GeneratorError as error:
        print(f"gen_command_icons: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
