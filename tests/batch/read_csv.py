"""Reads a CSV file with Python's csv module and writes its rows back in a
form a test can split without a CSV parser of its own: the fields of a row
joined by the unit separator (0x1F), each row ended by the record separator
(0x1E), in UTF-8. A leading byte order mark is taken as the file's encoding
mark, not as text; a malformed file (strict dialect) exits with status 1.

Usage: python3 read_csv.py FILE
"""

import csv
import sys


def main():
    with open(sys.argv[1], newline="", encoding="utf-8-sig") as f:
        try:
            rows = list(csv.reader(f, strict=True))
        except csv.Error as error:
            print("read_csv: %s" % error, file=sys.stderr)
            return 1
    out = sys.stdout.buffer
    for row in rows:
        out.write("\x1f".join(row).encode("utf-8") + b"\x1e")
    return 0


if __name__ == "__main__":
    sys.exit(main())
