"""Runs `tolvane-cli stats --json` and reads its output with Python's json.

Usage: stats_json_check.py TOLVANE_CLI
"""
import json
import os
import subprocess
import sys
import tempfile

ROWS = [("1", "12.00", "3"), ("2", "10.00", "1"), ("3", "11.00", "-"),
        ("4", "13.00", "2"), ("5", "1,000.00", "9")]
EXPECTED = {"count": 5, "mean": 209.2, "median": 12.0, "p10": 10.4,
            "p25": 11.0, "p75": 13.0, "p90": 605.2, "iqr": 2.0, "low": 10.0,
            "high": 1000.0, "lower_fence": 8.0, "upper_fence": 16.0,
            "outside": 1, "typical": 11.5}


def stats(cli, path):
    out = subprocess.run([cli, "stats", "--json", path], check=True,
                         capture_output=True, text=True).stdout
    return json.loads(out)


def main(cli):
    with tempfile.TemporaryDirectory() as folder:
        rows = os.path.join(folder, "rows.csv")
        with open(rows, "w", newline="") as f:
            for item, price, bids in ROWS:
                f.write(f'"{item}","Lamp","${price}","{bids}","Nov-23 18:45"'
                        "\r\n")
        empty = os.path.join(folder, "empty.csv")
        open(empty, "w").close()
        got = stats(cli, rows)
        if list(got) != list(EXPECTED) or got != EXPECTED:
            print("read:    ", got)
            print("expected:", EXPECTED)
            return 1
        nothing = stats(cli, empty)
        if nothing != dict.fromkeys(EXPECTED, None) | {"count": 0}:
            print("empty selection read:", nothing)
            return 1
    print("stats JSON read back key for key")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
