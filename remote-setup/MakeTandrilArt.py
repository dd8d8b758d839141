#!/usr/bin/env python3
"""Draws Tandril's artwork: MakeTandrilArt.py KEYTABLE MAKEART OUTDIR

Writes into OUTDIR the background picture (the remote control and the panel beside it on pure
green, which the window region cuts away), four state bitmaps for every key of KEYTABLE and
every command button, the list header's three bitmaps, the icon, and TandrilArt.rc2 naming
them all for the resource script, and RemoteKeyButtonRows.inc, the key table's rows for the
program's code, so picture and code read one table. Captions use the 3 x 5 font of MAKEART (scripts/make-art).
Files that would come out the same are not written again.
"""
import importlib.machinery
import os
import struct
import sys

GREEN = (0, 255, 0)
BODY = (52, 58, 74)
BODY_EDGE = (28, 32, 42)
PANEL = (182, 199, 248)
PANEL_EDGE = (70, 90, 150)
TITLE = (60, 84, 160)
WIDTH, HEIGHT = 630, 480

# Command buttons: caption, size, and the bitmap ids (hover, normal, pressed, disabled).
COMMANDS = [
    ("?", 20, 20, (227, 228, 226, 226)),          # 1019 help
    ("X", 20, 20, (375, 376, 374, 374)),          # 1020 exit
    ("ADD", 51, 26, (251, 252, 257, 253)),        # 1004 program add
    ("EDIT", 51, 26, (259, 260, 269, 261)),       # 1005 program modify
    ("DEL", 51, 26, (243, 244, 242, 245)),        # 1006 program delete
    ("DEFAULT", 62, 29, (180, 219, 198, 201)),    # 1007 default
    ("ADD", 62, 29, (231, 232, 230, 233)),        # 1008 key add
    ("EDIT", 62, 29, (354, 355, 364, 356)),       # 1009 key modify
    ("DEL", 62, 29, (203, 204, 202, 205)),        # 1010 key delete
    ("APPLY", 62, 29, (399, 400, 398, 401)),      # 1014 apply
]
COMMAND_FACE = (96, 120, 200)


class Picture:
    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, left, top, right, bottom, colour):
        for y in range(max(top, 0), min(bottom, self.height)):
            row = self.pixels[y]
            for x in range(max(left, 0), min(right, self.width)):
                row[x] = colour

    def rounded(self, left, top, right, bottom, radius, colour):
        for y in range(top, bottom):
            for x in range(left, right):
                dx = max(left + radius - x - 0.5, 0, x + 0.5 - (right - radius))
                dy = max(top + radius - y - 0.5, 0, y + 0.5 - (bottom - radius))
                if dx * dx + dy * dy <= radius * radius:
                    self.put(x, y, colour)

    def frame(self, left, top, right, bottom, colour):
        for x in range(left, right):
            self.put(x, top, colour)
            self.put(x, bottom - 1, colour)
        for y in range(top, bottom):
            self.put(left, y, colour)
            self.put(right - 1, y, colour)

    def text(self, font, text, left, top, right, bottom, colour, scale=1):
        width = (4 * len(text) - 1) * scale
        x0 = left + (right - left - width) // 2
        y0 = top + (bottom - top - 5 * scale) // 2
        for index, char in enumerate(text):
            glyph = font[char]
            for gy in range(5):
                for gx in range(3):
                    if glyph[gy * 3 + gx] == "1":
                        self.rect(x0 + (4 * index + gx) * scale, y0 + gy * scale,
                                  x0 + (4 * index + gx + 1) * scale, y0 + (gy + 1) * scale,
                                  colour)

    def paste(self, other, left, top):
        for y in range(other.height):
            for x in range(other.width):
                self.put(left + x, top + y, other.pixels[y][x])

    def bmp(self):
        rows = []
        for y in range(self.height - 1, -1, -1):
            row = b"".join(bytes((b, g, r)) for r, g, b in self.pixels[y])
            rows.append(row + b"\0" * (-len(row) % 4))
        data = b"".join(rows)
        header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(data),
                           2835, 2835, 0, 0)
        return header + info + data

    def ico(self):
        # One 32-bit image; its AND mask is all clear, the alpha channel says what shows.
        rows = []
        for y in range(self.height - 1, -1, -1):
            rows.append(b"".join(bytes((b, g, r, 0 if (r, g, b) == GREEN else 255))
                                 for r, g, b in self.pixels[y]))
        mask = b"\0" * ((self.width + 31) // 32 * 4 * self.height)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height * 2, 1, 32, 0, 0, 0, 0,
                           0, 0)
        dib = info + b"".join(rows) + mask
        entry = struct.pack("<BBBBHHII", self.width, self.height, 0, 0, 1, 32, len(dib), 22)
        return struct.pack("<HHH", 0, 1, 1) + entry + dib


def shade(colour, amount):
    return tuple(max(0, min(255, c + amount)) for c in colour)


def button_states(font, width, height, caption, face):
    """The images hover, normal, pressed and disabled of a button."""
    def draw(fill, edge, ink, offset):
        picture = Picture(width, height, fill)
        picture.frame(0, 0, width, height, edge)
        picture.text(font, caption, offset, offset, width + offset, height + offset, ink)
        return picture
    return (draw(shade(face, 40), (255, 255, 255), (0, 0, 0), 0),
            draw(face, shade(face, -70), (0, 0, 0), 0),
            draw(shade(face, -60), (0, 0, 0), (255, 255, 255), 1),
            draw((150, 150, 150), (110, 110, 110), (190, 190, 190), 0))


def read_keys(path):
    keys = []
    with open(path, encoding="utf-8") as table:
        for line in table:
            words = line.split()
            if not words or words[0].startswith("#"):
                continue
            numbers = [int(word) for word in words[:10]]
            face = words[11]
            keys.append({"numbers": numbers, "rect": numbers[2:6], "ids": numbers[6:10], "caption": words[10],
                         "face": (int(face[0:2], 16), int(face[2:4], 16), int(face[4:6], 16)),
                         "fixed": len(keys) < 3})
    return keys


def background(font, keys):
    picture = Picture(WIDTH, HEIGHT, GREEN)
    picture.rounded(26, 16, 192, 474, 22, BODY_EDGE)
    picture.rounded(28, 18, 190, 472, 20, BODY)
    picture.rect(40, 424, 178, 428, BODY_EDGE)
    picture.text(font, "TANDRIL", 28, 436, 190, 456, (170, 176, 196), 2)
    picture.rounded(196, 0, 630, 480, 14, PANEL_EDGE)
    picture.rounded(198, 2, 628, 478, 12, PANEL)
    picture.rect(210, 2, 616, 26, TITLE)
    picture.text(font, "REMOTE CONTROL", 198, 2, 570, 26, (255, 255, 255), 2)
    for key in keys:
        left, top, right, bottom = key["rect"]
        states = button_states(font, right - left, bottom - top, key["caption"], key["face"])
        picture.paste(states[3] if key["fixed"] else states[1], left, top)
    return picture


def header_parts():
    parts = []
    for width, edge in ((3, "left"), (8, "middle"), (3, "right")):
        picture = Picture(width, 20, (0, 0, 0))
        for y in range(20):
            tone = shade((120, 146, 226), -2 * y)
            for x in range(width):
                picture.put(x, y, tone)
        if edge == "left":
            picture.rect(0, 0, 1, 20, (230, 236, 255))
        elif edge == "right":
            picture.rect(2, 0, 3, 20, (40, 56, 120))
        parts.append(picture)
    return parts


def icon(font):
    picture = Picture(32, 32, GREEN)
    picture.rounded(9, 1, 23, 31, 5, BODY)
    picture.rect(12, 5, 16, 9, (200, 60, 60))
    for y in (12, 17, 22):
        for x in (12, 17):
            picture.rect(x, y, x + 3, y + 3, (200, 200, 210))
    return picture


def write(path, data):
    if os.path.exists(path) and open(path, "rb").read() == data:
        return
    with open(path, "wb") as out:
        out.write(data)


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: MakeTandrilArt.py KEYTABLE MAKEART OUTDIR")
    table, make_art, outdir = sys.argv[1:]
    font = importlib.machinery.SourceFileLoader("make_art", make_art).load_module().FONT
    os.makedirs(outdir, exist_ok=True)
    keys = read_keys(table)
    script = ["// Tandril's artwork, drawn by MakeTandrilArt.py."]
    written = set()

    def add(resource_id, picture, kind="BITMAP"):
        if resource_id in written:
            return
        written.add(resource_id)
        name = "tandril_%d.%s" % (resource_id, "ico" if kind == "ICON" else "bmp")
        write(os.path.join(outdir, name), picture.ico() if kind == "ICON" else picture.bmp())
        script.append('%d %s "%s"' % (resource_id, kind, name))

    add(383, background(font, keys))
    for key in keys:
        left, top, right, bottom = key["rect"]
        hover, normal, pressed, disabled = button_states(font, right - left, bottom - top,
                                                         key["caption"], key["face"])
        for resource_id, picture in zip(key["ids"], (pressed, hover, normal, disabled)):
            add(resource_id, picture)
    for caption, width, height, ids in COMMANDS:
        for resource_id, picture in zip(ids, button_states(font, width, height, caption,
                                                           COMMAND_FACE)):
            add(resource_id, picture)
    for resource_id, picture in zip((394, 395, 396), header_parts()):
        add(resource_id, picture)
    add(128, icon(font), "ICON")
    write(os.path.join(outdir, "TandrilArt.rc2"), ("\n".join(script) + "\n").encode())
    rows = ["// Rows of RemoteKeyButtons.txt, written by MakeTandrilArt.py."]
    rows += ["{%d, %d, {%d, %d, %d, %d}, %d, %d, %d, %d}," % tuple(key["numbers"]) for key in keys]
    write(os.path.join(outdir, "RemoteKeyButtonRows.inc"), ("\n".join(rows) + "\n").encode())


if __name__ == "__main__":
    main()
