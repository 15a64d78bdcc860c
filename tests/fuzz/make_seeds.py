#!/usr/bin/env python3
"""Writes the fuzz target's seed inputs: the first byte of each picks the parser family
(0 and 1: a version block, without and with a known translation; 2: a file's bytes).

usage: make_seeds.py <build-dir> <top-dir> <out-dir>
Takes the version libraries and programs the build made (whichever exist), the program's icon,
and a few blocks and an NE file made here in both layouts."""
import glob
import os
import struct
import sys

BLOCK, BLOCK_KNOWN, FILE = 0, 1, 2
HEAD = 2000   # the headers of a large program: its resources lie far beyond


def pad4(out, base=0):
    while (len(out) - base) % 4:
        out.append(0)


def record(key, value=b"", text=False, children=(), wide=True, stated=None):
    out = bytearray(6 if wide else 4)
    out += key.encode("ascii") + b"\0" if not wide else (key + "\0").encode("utf-16-le")
    pad4(out)
    out += value
    for child in children:
        pad4(out)
        out += child
    struct.pack_into("<H", out, 0, len(out))
    if stated is None:
        stated = len(value) // (2 if wide and text else 1)
    struct.pack_into("<H", out, 2, stated)
    if wide:
        struct.pack_into("<H", out, 4, 1 if text else 0)
    return bytes(out)


def string(key, value, wide):
    raw = (value + "\0").encode("utf-16-le" if wide else "ascii")
    return record(key, raw, True, wide=wide)


def version_block(tables, pairs, wide):
    fixed = struct.pack("<13I", 0xFEEF04BD, 0x00010000, 0x00020005, 0x00030007, 0x0004FFFF, 0x80000001,
                        0x3F, 0x03, 0x00000001, 1, 0, 0, 0)
    children = []
    if tables:
        children.append(record("StringFileInfo", text=True, wide=wide, stated=0, children=[
            record(name, text=True, wide=wide, stated=0, children=[string(k, v, wide) for k, v in entries])
            for name, entries in tables]))
    if pairs:
        translation = b"".join(struct.pack("<HH", lang, cp) for lang, cp in pairs)
        children.append(record("VarFileInfo", text=True, wide=wide, stated=0,
                               children=[record("Translation", translation, wide=wide)]))
    return record("VS_VERSION_INFO", fixed, wide=wide, children=children)


def platform_buffer(block):
    """The buffer GetFileVersionInfoA hands out for a 32-bit block: the data, a signature and
    room for the ANSI copies of its strings."""
    return block + b"FE2X" + bytes(len(block))


def ne_file(resource):
    size = (len(resource) + 15) & ~15
    out = bytearray(0x100 + size)
    out[0x100:0x100 + len(resource)] = resource
    out[0:2] = b"MZ"
    struct.pack_into("<I", out, 0x3C, 0x40)
    out[0x40:0x42] = b"NE"
    struct.pack_into("<HH", out, 0x40 + 0x24, 0x40, 0x58)   # resource table, resident names
    struct.pack_into("<HHHHHHHH", out, 0x80, 4, 0x8010, 1, 0, 0, 0x100 >> 4, size >> 4, 0x0030)
    struct.pack_into("<HHHH", out, 0x90, 0x8001, 0, 0, 0)
    return bytes(out)


def resources_only(data):
    """A program or library cut down to its headers and its resource section, the only parts
    the check reads: small enough for the fuzzer to mutate quickly. None without resources."""
    try:
        header = struct.unpack_from("<I", data, 0x3C)[0]
        if data[header:header + 4] != b"PE\0\0":
            return None
        sections, optional_size = struct.unpack_from("<H", data, header + 6)[0], struct.unpack_from("<H", data, header + 20)[0]
        optional = header + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        directories = optional + (92 if magic == 0x10B else 108)
        root = struct.unpack_from("<I", data, directories + 4 + 16)[0]
        table = optional + optional_size
        first = min((struct.unpack_from("<I", data, table + 40 * i + 20)[0] for i in range(sections)
                     if struct.unpack_from("<I", data, table + 40 * i + 20)[0]), default=len(data))
        out = bytearray(data[:first])
        for i in range(sections):
            at = table + 40 * i
            address, raw_size, raw_pointer = struct.unpack_from("<III", data, at + 12)
            if root and address <= root < address + raw_size:
                struct.pack_into("<II", out, at + 16, raw_size, len(out))
                out += data[raw_pointer:raw_pointer + raw_size]
            else:
                struct.pack_into("<II", out, at + 16, 0, 0)
        return bytes(out) if len(out) > first else None
    except struct.error:
        return None


def blocks_in(data):
    """The version blocks of a compiled library: each starts 6 bytes before its UTF-16 key."""
    key = "VS_VERSION_INFO\0".encode("utf-16-le")
    at = data.find(key)
    while at >= 6:
        start = at - 6
        length = struct.unpack_from("<H", data, start)[0]
        if length >= 6 and start + length <= len(data):
            yield data[start:start + length]
        at = data.find(key, at + 1)


def main():
    build, top, out = sys.argv[1:4]
    os.makedirs(out, exist_ok=True)
    seeds = {}

    def add(name, family, data):
        seeds[name] = bytes([family]) + data

    tables = [("040904E4", [("CompanyName", "A"), ("FileDescription", "Bcdef"), ("FileVersion", "1.2.3")]),
              ("040704B0", [("ProductName", "Zwei")])]
    for wide in (True, False):
        layout = "32" if wide else "16"
        block = version_block(tables, [(0x409, 1252), (0x407, 1200)], wide)
        bare = version_block(tables[:1], [], wide)
        if wide:
            block, bare = platform_buffer(block), platform_buffer(bare)
        add(f"block{layout}", BLOCK, block)
        add(f"block{layout}_known", BLOCK_KNOWN, block)
        add(f"block{layout}_notranslation", BLOCK, bare)
    add("ne16", FILE, ne_file(version_block(tables[:1], [], False)))

    def add_file(path, whole):
        with open(path, "rb") as f:
            data = f.read()
        name = os.path.basename(path)
        if not whole:
            add(f"{name}.head", FILE, data[:HEAD])
        small = resources_only(data)
        if small:
            add(name, FILE, small)
        for i, block in enumerate(blocks_in(data)):
            add(f"{name}.block{i}", BLOCK, platform_buffer(block))

    libraries = sorted(glob.glob(os.path.join(build, "tests", "vt_*.dll")))
    for path in libraries:
        add_file(path, True)
    # The programs carry icon groups and icons besides the version entry.
    programs = sorted(glob.glob(os.path.join(build, "*.exe")) + glob.glob(os.path.join(build, "tests", "*.exe")))
    for path in programs:
        add_file(path, False)
    icon = os.path.join(top, "res", "plovnik.ico")
    if os.path.exists(icon):
        with open(icon, "rb") as f:
            add("plovnik.ico", FILE, f.read())

    written = set()
    for name, data in seeds.items():
        if data in written:   # the test programs share their headers and resources
            continue
        written.add(data)
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
    print(f"{len(written)} seeds from {len(libraries)} version libraries and {len(programs)} programs")


if __name__ == "__main__":
    main()
