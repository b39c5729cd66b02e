"""Reads an exported grid with Python's csv module and checks every field.

Usage: read_csv_check.py FOLDER, where FOLDER holds export.csv and
fields.txt (the expected fields of each record, hex-coded, "-" for empty).
"""
import csv
import sys


def main(folder):
    with open(f"{folder}/fields.txt", encoding="ascii") as f:
        expected = [[bytes.fromhex("" if h == "-" else h).decode("latin-1")
                     for h in line.split()] for line in f if line.strip()]
    with open(f"{folder}/export.csv", "rb") as f:
        raw = f.read()
    # Every record ends with CR LF, and nothing else does.
    if raw.count(b"\r\n") != len(expected) or raw.count(b"\n") != len(expected):
        print("line ends are not one CR LF per record")
        return 1
    with open(f"{folder}/export.csv", newline="", encoding="latin-1") as f:
        records = list(csv.reader(f, strict=True))
    if records != expected:
        print("csv module read:", records)
        print("expected:       ", expected)
        return 1
    print(f"{len(records)} records read back field for field")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
