#!/usr/bin/env python3
"""make-archive.py --version V --text TEMPLATE --out ZIP PROGRAM...: the release archive.

The archive holds the programs, the Czech text for the people who put them into the product
(Windows-1250, CR LF, as Notepad on a Czech Windows reads it) and SHA256SUMS. The same inputs
give the same bytes: entries in a fixed order, each with the time of the commit (or of
SOURCE_DATE_EPOCH), no attributes of the machine that packs them.
"""
import argparse
import hashlib
import os
import subprocess
import time
import zipfile

ZIP_EPOCH = 315532800  # 1980-01-01, the earliest time a zip entry can hold


def source_date(source_dir):
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    try:
        out = subprocess.run(["git", "-C", source_dir, "log", "-1", "--format=%ct"],
                             check=True, capture_output=True, text=True).stdout.strip()
        return int(out)
    except (OSError, subprocess.CalledProcessError, ValueError):
        return ZIP_EPOCH


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--version", required=True)
    parser.add_argument("--text", required=True, help="the Czech text, UTF-8 with @VERSION@")
    parser.add_argument("--out", required=True)
    parser.add_argument("programs", nargs="+")
    args = parser.parse_args()

    entries = []
    for program in args.programs:
        with open(program, "rb") as f:
            entries.append((os.path.basename(program), f.read()))

    with open(args.text, encoding="utf-8") as f:
        text = f.read().replace("@VERSION@", args.version)
    # A character that Windows-1250 lacks fails the build rather than turning into "?".
    entries.append((os.path.basename(args.text), text.replace("\n", "\r\n").encode("cp1250")))

    sums = "".join(f"{hashlib.sha256(data).hexdigest()}  {name}\n" for name, data in entries)
    entries.append(("SHA256SUMS", sums.encode("ascii")))

    stamp = time.gmtime(max(source_date(os.path.dirname(os.path.abspath(args.text))), ZIP_EPOCH))
    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    partial = args.out + ".partial"
    with zipfile.ZipFile(partial, "w") as archive:
        for name, data in entries:
            info = zipfile.ZipInfo(name, date_time=stamp[:6])
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0  # MS-DOS: no Unix mode bits from the packing machine
            info.external_attr = 0
            archive.writestr(info, data, compresslevel=9)
    os.replace(partial, args.out)
    print(args.out)


if __name__ == "__main__":
    main()
