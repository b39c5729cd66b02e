#!/usr/bin/env python3
"""Writes a CSV file in the program's export form for the batch benchmarks.

usage: make_csv.py ROWS FILE [--header]

Five double-quoted fields per record, CR LF line ends, no header: distinct
ten-digit item numbers, a title, a price up to $2,000.00 with its grouping
comma, bids "-" (about one in eight) or 0 to 40, and an end time spread over
eleven months. The same ROWS always give the same file.

With --header the same auctions are written as a data set of sold listings
would hold them: the header title,sold_price_usd,ended_at,item_id, plain
amounts, ISO end times and LF line ends.
"""
import random
import sys

MONTHS = ["Jan", "Feb", "Mar", "Apr", "May", "Jun",
          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]
DAYS = [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31]
WORDS = ["Vintage", "brass", "table", "lamp", "Leica", "camera", "lens",
         "silver", "pocket", "watch", "oak", "chair", "signed", "print"]


def main():
    rows = int(sys.argv[1])
    header = sys.argv[3:] == ["--header"]
    rng = random.Random(20030217)
    out = []
    with open(sys.argv[2], "w", newline="", encoding="ascii") as f:
        if header:
            f.write("title,sold_price_usd,ended_at,item_id\n")
        for i in range(rows):
            # An odd multiplier modulo 10^9 scatters distinct numbers.
            item = 3000000000 + (i * 387420489) % 1000000000
            title = " ".join(rng.choice(WORDS) for _ in range(rng.randint(3, 7)))
            cents = rng.randint(1, 200000)
            dollars = cents // 100
            if dollars >= 1000:
                price = "$%d,%03d.%02d" % (dollars // 1000, dollars % 1000,
                                           cents % 100)
            else:
                price = "$%d.%02d" % (dollars, cents % 100)
            bids = "-" if rng.random() < 0.125 else str(rng.randint(0, 40))
            month = rng.randint(0, 10)
            day = rng.randint(1, DAYS[month])
            hour = rng.randint(0, 23)
            minute = rng.randint(0, 59)
            ended = "%s-%02d %02d:%02d" % (MONTHS[month], day, hour, minute)
            if header:
                out.append("%s lot %d,%d.%02d,2026-%02d-%02dT%02d:%02d:00Z,%d\n"
                           % (title, i, dollars, cents % 100, month + 1,
                              day, hour, minute, item))
            else:
                out.append('"%d","%s lot %d","%s","%s","%s"\r\n'
                           % (item, title, i, price, bids, ended))
            if len(out) == 65536:
                f.write("".join(out))
                out = []
        f.write("".join(out))


if __name__ == "__main__":
    main()
