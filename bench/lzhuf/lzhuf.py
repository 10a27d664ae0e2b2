"""Makes the sample packages, runs bench_lzhuf on them, and times skinpack unpack against lha -pq
on the same -lh1- streams. See run."""
import os
import random
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import time

BIN, OUR_SKIN, RUNS = sys.argv[1], sys.argv[2], int(sys.argv[3])
CONTENT_BYTES = 1400 * 1024


def bmp(width, height, pixels):
    """A 24-bit BMP file of the given rows of bytes (bottom row first, each padded to 4 bytes)."""
    row = (width * 3 + 3) & ~3
    data = b"".join(r.ljust(row, b"\0") for r in pixels)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + data


def flat_picture():
    """A window-like picture: wide bands of a few colours, a thin frame line now and then."""
    width, height = 680, CONTENT_BYTES // (680 * 3)
    rows = []
    for y in range(height):
        band = bytes([(y // 64) * 40 % 256, 200, 220 - (y // 128) * 20 % 200])
        line = band * width
        if y % 97 == 0:
            line = bytes([30, 30, 30]) * width
        rows.append(line[:8 * 3] + bytes([90, 90, 90]) * 2 + line[10 * 3:])
    return bmp(width, height, rows)


def noise_picture():
    generator = random.Random(14)
    width, height = 680, CONTENT_BYTES // (680 * 3)
    return bmp(width, height, [generator.randbytes(width * 3) for _ in range(height)])


def pack(folder, name, picture):
    source = os.path.join(folder, name)
    os.makedirs(source)
    with open(os.path.join(source, "skin.ini"), "w") as f:
        f.write("[Skin]\nName=" + name + "\n")
    with open(os.path.join(source, "picture.bmp"), "wb") as f:
        f.write(picture)
    package = os.path.join(folder, name + ".skin")
    subprocess.run([os.path.join(BIN, "skinpack"), "pack", source, package], check=True)
    return package


def crc16(data):
    table = []
    for n in range(256):
        c = n
        for _ in range(8):
            c = (c >> 1) ^ 0xA001 if c & 1 else c >> 1
        table.append(c)
    crc = 0
    for b in data:
        crc = (crc >> 8) ^ table[(crc ^ b) & 0xFF]
    return crc


def lh1_archive(stream, length, crc):
    """A one-member archive of level 0, method -lh1-, around the stream."""
    name = b"data.bin"
    header = b"-lh1-" + struct.pack("<IIIBBB", len(stream), length, 0x5A210000, 0x20, 0, len(name)) + name
    header += struct.pack("<H", crc)
    return bytes([len(header), sum(header) & 0xFF]) + header + stream + b"\0"


def archive_for(package, folder):
    """The package's stream as an -lh1- archive lha takes without complaint (its CRC is that of
    the content, which lha itself decodes first)."""
    with open(package, "rb") as f:
        raw = f.read()
    length, stream = struct.unpack("<I", raw[:4])[0], raw[4:]
    path = os.path.join(folder, os.path.basename(package) + ".lzh")
    with open(path, "wb") as f:
        f.write(lh1_archive(stream, length, 0))
    content = subprocess.run(["lha", "-pq", path], capture_output=True).stdout
    if len(content) != length:
        raise RuntimeError(f"lha decoded {len(content)} bytes of {length} from {path}")
    with open(path, "wb") as f:
        f.write(lh1_archive(stream, length, crc16(content)))
    return path, length, len(stream)


def median_seconds(command, folder):
    times = []
    for _ in range(RUNS):
        shutil.rmtree(folder, ignore_errors=True)
        start = time.perf_counter()
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
        times.append(time.perf_counter() - start)
    return statistics.median(times)


def main():
    work = tempfile.mkdtemp()
    try:
        packages = [OUR_SKIN, pack(work, "flat", flat_picture()), pack(work, "noise", noise_picture())]
        print(f"in process, median of bench_lzhuf's runs:", flush=True)
        subprocess.run([os.path.join(BIN, "bench_lzhuf")] + packages, check=True)

        print(f"\nwhole process, median wall time of {RUNS} runs:")
        worst = 0.0
        for package in packages:
            archive, length, size = archive_for(package, work)
            out = os.path.join(work, "out")
            ours = median_seconds([os.path.join(BIN, "skinpack"), "unpack", package, out], out)
            theirs = median_seconds(["lha", "-pq", archive], out)
            worst = max(worst, ours / theirs)
            print(f"{os.path.basename(package)}: {size} -> {length} bytes ({length / size:.1f}:1); "
                  f"skinpack unpack {ours * 1000:.1f} ms, lha -pq {theirs * 1000:.1f} ms; ratio {ours / theirs:.2f}")
        print(f"time ratio skinpack unpack / lha -pq, largest: {worst:.2f}")
    finally:
        shutil.rmtree(work, ignore_errors=True)


main()
