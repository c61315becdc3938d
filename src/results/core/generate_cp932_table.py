#!/usr/bin/env python3
"""Writes code page 932 as C++ tables, taken from glibc's iconv "CP932".

    generate_cp932_table.py OUTPUT

The browser build has no code page 932 of its own (emscripten's iconv turns
"～" and "－" into "*"), so it converts with these tables, which say exactly
what the desktop program on glibc does (code_page.cpp): the character glibc
reads from each single byte and each pair of a lead byte (81-9F, E0-FC) and
a trail byte (40-FC).

Writing is their inverse: a character is written as the first single byte
or pair that reads as it, leaving out the pairs of lead byte ED and EE (the
NEC-selected IBM extensions, which Windows reads but writes as their FA-FC
twins). This script checks that rule against what glibc writes for every
character that any one- or two-byte sequence reads as (only those can come
back as themselves; the rest become "?"), and stops when glibc disagrees.

Python's own cp932 codec is not used: glibc itself is asked, through ctypes.
"""

import ctypes
import ctypes.util
import sys

LEADS = list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD))
TRAILS = range(0x40, 0xFD)
NONE = 0xFFFF  # a noncharacter: no byte of the code page stands for it


class Iconv:
    _libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
    _libc.iconv_open.restype = ctypes.c_void_p
    _libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
    _libc.iconv.restype = ctypes.c_size_t
    _libc.iconv.argtypes = [ctypes.c_void_p] + [
        ctypes.POINTER(ctypes.c_void_p), ctypes.POINTER(ctypes.c_size_t)] * 2

    def __init__(self, to, source):
        self._cd = self._libc.iconv_open(to.encode(), source.encode())
        if self._cd in (None, ctypes.c_void_p(-1).value):
            sys.exit(f"glibc's iconv cannot convert {source} to {to}")
        self._out = ctypes.create_string_buffer(16)

    def convert(self, data):
        """The whole input converted, or None (as code_page.cpp's Convert)."""
        self._libc.iconv(self._cd, None, None, None, None)
        source = ctypes.create_string_buffer(data, len(data))
        in_ptr = ctypes.c_void_p(ctypes.addressof(source))
        in_left = ctypes.c_size_t(len(data))
        out_ptr = ctypes.c_void_p(ctypes.addressof(self._out))
        out_left = ctypes.c_size_t(len(self._out))
        if (self._libc.iconv(self._cd, ctypes.byref(in_ptr), ctypes.byref(in_left),
                             ctypes.byref(out_ptr), ctypes.byref(out_left))
                == ctypes.c_size_t(-1).value or in_left.value != 0):
            return None
        return self._out.raw[:len(self._out) - out_left.value]


def main():
    decoder = Iconv("UTF-32LE", "CP932")
    encoder = Iconv("CP932", "UTF-32LE")

    def decode(data):
        wide = decoder.convert(data)
        return int.from_bytes(wide, "little") if wide and len(wide) == 4 else None

    sequences = [bytes([b]) for b in range(256)]
    sequences += [bytes([lead, trail]) for lead in range(256) for trail in range(256)]
    decoded = {sequence: decode(sequence) for sequence in sequences}

    def code(c):
        return NONE if c is None else c

    single = [code(decoded[bytes([b])]) for b in range(256)]
    pairs = [[code(decoded[bytes([lead, trail])]) for trail in TRAILS] for lead in LEADS]

    # The rule of cp932_table.cpp ...
    by_rule = {}
    units = [bytes([b]) for b in range(256)]
    units += [bytes([lead, trail]) for lead in LEADS if lead not in (0xED, 0xEE) for trail in TRAILS]
    for unit in units:
        if decoded[unit] is not None:
            by_rule.setdefault(decoded[unit], unit)
    # ... against glibc, which keeps only what reads back as itself.
    for c in sorted({c for c in decoded.values() if c is not None}):
        if c > 0xFFFF or c == NONE:
            sys.exit(f"U+{c:X} is read from code page 932, and the tables cannot hold it")
        data = encoder.convert(c.to_bytes(4, "little"))
        if not (data and len(data) <= 2 and decoded.get(data) == c):
            data = None
        if data != by_rule.get(c):
            sys.exit(f"U+{c:04X}: glibc writes {data!r}, the rule {by_rule.get(c)!r}")

    def rows(values, indent):
        items = [f"0x{v:04X}" for v in values]
        return "\n".join(indent + ", ".join(items[i:i + 12]) + ","
                         for i in range(0, len(items), 12))

    lead_rows = "\n".join(f"    {{  // {lead:02X}\n{rows(row, '        ')}\n    }},"
                          for lead, row in zip(LEADS, pairs))
    text = f"""\
// Made by src/results/core/generate_cp932_table.py from glibc's iconv "CP932".
// Build output: not to be edited or committed.

// The character of each single byte; 0xFFFF: none.
constexpr std::uint16_t kSingleBytes[256] = {{
{rows(single, "    ")}
}};

// The character of each pair, lead byte by lead byte (81-9F, E0-FC), trail
// byte by trail byte (40-FC); 0xFFFF: none.
constexpr int kTrailCount = {len(TRAILS)};
constexpr std::uint16_t kPairs[{len(LEADS)}][kTrailCount] = {{
{lead_rows}
}};
"""
    with open(sys.argv[1], "w", encoding="ascii") as out:
        out.write(text)


if __name__ == "__main__":
    main()
