#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpus into corpus/ (run from this folder).

Small, valid examples of every file kind the game reads, plus a few of the
awkward but legal forms (comments, CRLF, short sections), so the fuzzers
start from inputs that reach deep into each reader."""
import os
import struct


def put(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode())


# ---- BMP -------------------------------------------------------------------

def bmp(width, height, bpp, rows, palette=(), compression=0, masks=None, top_down=False):
    """rows: the pixel array as stored (already padded / encoded)."""
    pixels = b"".join(rows)
    info_size = 40 + (12 if masks else 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    offset = 14 + info_size + len(pal)
    h = -height if top_down else height
    info = struct.pack("<IiiHHIIiiII", 40, width, h, 1, bpp, compression, len(pixels), 2835, 2835,
                       len(palette), 0)
    if masks:
        info += struct.pack("<III", *masks)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return head + info + pal + pixels


def pad(row):
    return row + b"\0" * (-len(row) % 4)


def write_bmps():
    d = "corpus/bmp/"
    put(d + "mono.bmp", bmp(8, 4, 1, [pad(bytes([0b10100101])) for _ in range(4)], [(0, 0, 0), (255, 255, 255)]))
    put(d + "nibbles.bmp", bmp(5, 3, 4, [pad(bytes([0x01, 0x23, 0x40])) for _ in range(3)],
                               [(0, 0, 0), (255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 0, 255)]))
    put(d + "bytes.bmp", bmp(4, 4, 8, [bytes([0, 1, 2, 1]) for _ in range(4)], [(0, 0, 0), (200, 100, 0), (9, 9, 9)]))
    rle = bytes([4, 1, 0, 0, 2, 2, 2, 0, 0, 0, 0, 3, 1, 2, 1, 0, 0, 0, 0, 1])
    put(d + "rle8.bmp", bmp(4, 4, 8, [rle], [(0, 0, 0), (255, 255, 0), (0, 128, 255)], compression=1))
    px565 = [pad(struct.pack("<3H", 0xF800, 0x07E0, 0x0000)) for _ in range(2)]
    put(d + "rgb565.bmp", bmp(3, 2, 16, px565, compression=3, masks=(0xF800, 0x07E0, 0x001F)))
    put(d + "rgb24.bmp", bmp(3, 3, 24, [pad(bytes([0, 0, 0, 255, 255, 255, 0, 0, 255])) for _ in range(3)]))
    # The old 12-byte header, with 16-bit sides.
    core = struct.pack("<IHHHH", 12, 2, 2, 1, 24)
    put(d + "core24.bmp", struct.pack("<2sIHHI", b"BM", 26 + 16, 0, 0, 26) + core + bytes(range(16)))
    rle4 = bytes([4, 0x12, 0, 0, 4, 0x34, 0, 1])
    put(d + "rle4.bmp", bmp(4, 2, 4, [rle4], [(0, 0, 0), (255, 0, 0), (0, 255, 0), (0, 0, 255), (9, 9, 9)],
                            compression=2))
    put(d + "argb32.bmp", bmp(2, 2, 32, [bytes([0, 0, 255, 255, 0, 0, 0, 0]) for _ in range(2)], top_down=True))
    # A font sheet: two 16 x 16 cells wide, keyed on magenta.
    rows = []
    for y in range(32):
        row = b""
        for x in range(32):
            row += struct.pack("<H", 0xF81F if (x + y) % 5 else 0xFFFF)
        rows.append(row)
    put(d + "font.bmp", bmp(32, 32, 16, rows, compression=3, masks=(0xF800, 0x07E0, 0x001F)))


# ---- WAV -------------------------------------------------------------------

def wav(rate, channels, bits, samples):
    data = bytes(samples)
    fmt = struct.pack("<HHIIHH", 1, channels, rate, rate * channels * bits // 8, channels * bits // 8, bits)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def write_wavs():
    d = "corpus/wav/"
    put(d + "mono8.wav", wav(11025, 1, 8, [128 + (i % 16) * 4 for i in range(64)]))
    put(d + "stereo16.wav", wav(22050, 2, 16, [(i * 37) % 256 for i in range(128)]))
    put(d + "mono16.wav", wav(44100, 1, 16, [(i * 11) % 256 for i in range(90)]))
    put(d + "odd.wav", wav(8000, 1, 16, [1, 2, 3]))  # half a sample at the end
    # Formats the mixer takes and the game refuses: AIFF and Creative Voice.
    frames = bytes((i * 29) % 256 for i in range(64))
    comm = struct.pack(">hIh", 1, 32, 16) + bytes([0x40, 0x0D, 0xAC, 0x44, 0, 0, 0, 0, 0, 0])
    ssnd = struct.pack(">II", 0, 0) + frames
    body = b"AIFF" + b"COMM" + struct.pack(">I", len(comm)) + comm + b"SSND" + struct.pack(">I", len(ssnd)) + ssnd
    put(d + "mono16.aiff", b"FORM" + struct.pack(">I", len(body)) + body)
    samples = bytes(128 + (i % 20) for i in range(80))
    block = bytes([1]) + struct.pack("<I", 2 + len(samples))[:3] + bytes([256 - 1000000 // 11025, 0]) + samples
    put(d + "voice.voc", b"Creative Voice File\x1a" + struct.pack("<HHH", 26, 0x010A, 0x1129) + block + b"\0")


# ---- lists, configuration, scores ---------------------------------------------

def write_texts():
    put("corpus/slot_lists/bitmaps_plain.txt", "# slot file [opaque]\n1\tmono.bmp\n2 nibbles.bmp\n3 bytes.bmp\n"
        "4 rle8.bmp opaque\n5 rgb565.bmp\n6\trgb24.bmp\t1\n7 argb32.bmp\n")
    put("corpus/slot_lists/bitmaps_awkward.txt", "\r\n#c\n255 font.bmp\n256 mono.bmp\n-1 mono.bmp\n5 missing.bmp\n"
        "5 rgb565.bmp\r\n9\n 10   bytes.bmp # comment\n")
    put("corpus/slot_lists/sounds_plain.txt", "# slot file\n10 mono8.wav\n11\tstereo16.wav\n51 mono16.wav\n")
    put("corpus/slot_lists/sounds_awkward.txt", "\r\n12 odd.wav\r\n300 mono8.wav\n-2 mono8.wav\n51 none.wav\n51 mono8.wav\n")
    put("corpus/config/saved", "#\nlevel\t\t\t\t3\nvolume\t\t\t\t80\n")
    put("corpus/config/awkward", "level 9\nlevel -2 extra\n#level 4\n\r\nkey\n" + "k" * 220 + " " + "v" * 220 + "\n")
    put("corpus/scores/saved", "ABC 100 10 0\nDEF 90 9 0\nGHI 80 8 0\nJKL 70 7 0\nMNO 60 6 0\n")
    put("corpus/scores/awkward", "A~B 2147483647 100 99\n\n 5 5 5\nXYZW -2147483648 x 1\nQ 99999999999 1 1\r\nR\n")


# ---- maps and recordings --------------------------------------------------------

CODES = {"#": 10, "B": 11, "C": 12, "~": 13, "N": 14}


def map_text(rows, header, items=(), enemies=(), end=True):
    out = ""
    for row in rows:
        out += " ".join(str(CODES.get(c, int(c) if c.isdigit() else 0)) for c in row) + "\n"
    out += " ".join(str(v) for v in header) + "\n"
    out += "".join(i + "\n" for i in items)
    if end:
        out += "-1 0 0 0\n"
    out += "".join(e + "\n" for e in enemies)
    return out


def room():
    rows = ["#" + "." * 18 + "#" for _ in range(20)]
    rows[0] = rows[19] = "#" * 20
    return rows


def write_maps():
    everything = [
        "####################", "#..................#", "#..BBB.....CCC.....#", "#..................#",
        "#....NN......BB....#", "#..................#", "#BBBBBB....BBBBBBB.#", "#..................#",
        "#......1.2.3.......#", "#...BBBB....BBBBB..#", "#..................#", "#..................#",
        "#.BBBBBBBBB.....BB.#", "#..................#", "#......~~..........#", "#....BB......CC....#",
        "#..................#", "#..................#", "#....B.....B.......#", "####################"]
    items = ["%d %d %d %d" % (t, 1 + t, 5 if t % 2 else 11, 1 if t % 4 == 0 else 0) for t in range(1, 19)]
    enemies = ["1 9 1 64 0", "2 4 1 64 0", "3 1 7 0 0", "5 3 13 128 0", "5 14 3 128 2", "6 12 1 64 1",
               "7 10 17 96 1", "8 6 17 0 0", "9 12 8 64 0", "10 14 11 64 1", "3 18 16 0 3", "7 4 5 64 0"]
    d = "corpus/map/"
    put(d + "map1.map", map_text(everything, (2, 17, 17, 1, 16, 17), items, enemies))
    put(d + "map2.map", map_text(room(), (3, 18, 3, 18, 3, 18)))  # cleared at once
    put(d + "map3.map", map_text(room(), (2, 18, 17, 18, 15, 2), ["3 5 18 0"], ["1 2 18 0 0"]))  # dies at once
    opened = room()
    opened[0] = "#" * 9 + ".." + "#" * 9
    opened[10] = "." + opened[10][1:-1] + "."
    put(d + "map4.map", map_text(opened, (9, 1, 17, 18, 1, 10), ["1 0 10 0", "2 19 10 1"], ["5 0 0 64 1"]))
    put(d + "map5.map", map_text(room()[:7], (2, 2, 3, 3, 4, 4), end=False))  # stops in the tiles
    put(d + "map6.map", map_text(room(), (-5, 99, 2, 2, 40, -1), ["19 2 2 0", "0 3 3 0", "5 2"],
                                 ["# comment", "6 2 2 1000000000 7", "4 3 3", "12 5 5 -64 3", ""]).replace("\n", "\r\n"))
    put(d + "map7.map", map_text(everything, (10, 10, 1, 1, 18, 18), items * 3, enemies * 4))
    put(d + "map8.map", "")


def write_recordings():
    d = "corpus/recording/"
    put(d + "v1-level1.rbr", b"RBRP\x01\x00" + bytes([8, 8, 8, 9, 9, 16, 0, 32, 4, 4, 1]))
    fields = [0, 3, 5, 0, 0, 1, 2, 0, 1, 1, 0, 0, 0]  # level, lives, magic, ..., deathTimer
    items = [(3, 5, 18, 0, 0), (5, 10, 14, 1, 1)]
    body = b"RBRP\x02" + b"".join(struct.pack("<i", v) for v in fields) + struct.pack("<i", len(items))
    body += b"".join(struct.pack("<5i", *i) for i in items)
    inputs = bytes([8] * 30 + [9] * 10 + [16, 0, 32, 0, 64, 0, 4] * 5)
    put(d + "v2-level1.rbr", body + bytes([0, 8]) + struct.pack("<i", len(inputs)) + inputs)
    fields[0] = 6
    put(d + "v2-level7.rbr", b"RBRP\x02" + b"".join(struct.pack("<i", v) for v in fields) + struct.pack("<i", 0)
        + bytes([0, 0]) + struct.pack("<i", 3) + bytes([1, 2, 3]))
    # Starts at the edges of what a game can hold, on the first map: the
    # highest lives, magic, score, fire bonus and counts with items beside
    # the player that add to each; then the lowest. The intro's 131 passes,
    # then a walk right taking them, fireballs and a walk back.
    play = bytes([0] * 131 + [8] * 60 + [32, 0] * 10 + [9] * 30 + [4] * 120 + [16, 0] * 5 + [34] * 40)
    highest = [0, 10000, 100000, 1000000000, 1000000, 1, 2147483647, 3200, 8, 1, 1, 1, 200]
    gifts = [(t, c, 18, 0, 0) for t, c in zip((8, 14, 17, 13, 16, 15, 11, 12, 7), (3, 4, 6, 7, 8, 9, 10, 12, 13))]
    lowest = [0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0]
    for name, values, items in (("v2-highest.rbr", highest, gifts), ("v2-lowest.rbr", lowest, [])):
        body = b"RBRP\x02" + b"".join(struct.pack("<i", v) for v in values) + struct.pack("<i", len(items))
        body += b"".join(struct.pack("<5i", *i) for i in items)
        put(d + name, body + bytes([8, 8]) + struct.pack("<i", len(play)) + play)


write_bmps()
write_wavs()
write_texts()
write_maps()
write_recordings()
