"""Reads an exported grid with Python's csv module and checks every field,
then splits the random files of FOLDER/split as the program split them.

Usage: read_csv_check.py FOLDER, where FOLDER holds export.csv and
fields.txt (the expected fields of each record, hex-coded, "-" for empty),
and split/N.csv with split/N.split: the delimiter's code on its first line,
then per record its start line and its fields, hex-coded.
"""
import csv
import glob
import sys


def python_split(path, delimiter):
    """The records as the program writes them, split by the csv module."""
    out = []
    with open(path, newline="", encoding="latin-1") as f:
        reader = csv.reader(f, delimiter=delimiter)
        start = 1
        for record in reader:
            fields = [r.encode("latin-1").hex() or "-" for r in record]
            out.append(" ".join([str(start)] + fields))
            start = reader.line_num + 1
    return "".join(line + "\n" for line in out)


def check_split(folder):
    files = sorted(glob.glob(f"{folder}/split/*.csv"))
    for path in files:
        with open(path[:-4] + ".split", encoding="ascii") as f:
            delimiter = chr(int(f.readline()))
            expected = f.read()
        got = python_split(path, delimiter)
        if got != expected:
            print(path, "csv module split:")
            print(got)
            print("the program split:")
            print(expected)
            return 1
    if not files:
        print("no split files")
        return 1
    print(f"{len(files)} random files split alike")
    return 0


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
    return check_split(folder)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
