#!/usr/bin/python3
"""What a researcher would write with pandas for `tolvane-cli summary FILE`.

usage: summary_pandas.py FILE

Reads the five-field CSV export, cleans the price texts ("$" and the
grouping comma), keeps the first record of each item number, and prints
the average, low and high end price, the number of items and the average
number of bids ("-" counting as none), as the program's summary does.
"""
import sys

import numpy as np
import pandas as pd


def main():
    rows = pd.read_csv(sys.argv[1], header=None, dtype=str,
                       keep_default_na=False,
                       names=["item", "description", "price", "bids",
                              "ended"])
    rows["value"] = pd.to_numeric(
        rows["price"].str.replace("$", "", n=1, regex=False)
        .str.replace(",", "", n=1, regex=False),
        errors="coerce").astype(np.float32)
    rows = rows[rows["value"].notna()]
    rows = rows.drop_duplicates(subset="item", keep="first")
    bids = pd.to_numeric(rows["bids"], errors="coerce").fillna(0)
    prices = rows["value"]
    print("\tAverage End Price:\t\t$%s" % format(float(prices.mean()), ",.2f"))
    print("\tTotal Items:\t\t%d" % len(rows))
    print("\tTotal Checked:\t\t%d" % len(rows))
    print("\tAverage number of bids:\t%.2f" % bids.mean())
    print("\tLow:\t\t\t$%s" % format(float(prices.min()), ",.2f"))
    print("\tHigh:\t\t\t$%s" % format(float(prices.max()), ",.2f"))


if __name__ == "__main__":
    main()
