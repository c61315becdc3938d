#!/usr/bin/env python3
"""What a first visit to the web folder downloads, compressed.

    first_visit_size.py FOLDER LIMIT_KIB

A first visit fetches every file the service worker keeps. Each counts as
gzip (-9) makes it, which every web server can send, or as it is when that
is no smaller (the font and the icon are compressed already); Brotli, which
many servers also send, is shown beside it. Fails above LIMIT_KIB.
"""

import gzip
import os
import re
import sys

import brotli


def main():
    folder, limit = sys.argv[1], float(sys.argv[2])
    with open(os.path.join(folder, "service-worker.js"), encoding="utf-8") as worker:
        listed = re.search(r"const FILES = \[(.*?)\];", worker.read()).group(1)
    files = [name for name in re.findall(r'"([^"]+)"', listed) if name != "./"]
    files.append("service-worker.js")
    total_gzip = total_brotli = 0
    print(f"{'file':32} {'bytes':>9} {'gzip':>9} {'brotli':>9}")
    for name in sorted(files):
        with open(os.path.join(folder, name), "rb") as f:
            data = f.read()
        zipped = min(len(data), len(gzip.compress(data, 9)))
        squeezed = min(len(data), len(brotli.compress(data, quality=11)))
        total_gzip += zipped
        total_brotli += squeezed
        print(f"{name:32} {len(data):9} {zipped:9} {squeezed:9}")
    print(f"{'first visit':32} {'':9} {total_gzip:9} {total_brotli:9}"
          f"  ({total_gzip / 1024:.1f} KiB gzip, {total_brotli / 1024:.1f} KiB Brotli; limit {limit:g} KiB)")
    return 0 if total_gzip <= limit * 1024 else 1


if __name__ == "__main__":
    sys.exit(main())
