#!/usr/bin/env python3
"""Reads a sold-listings result page with BeautifulSoup and lxml, the way a
script of a peer tool would, and times it.

usage: sold_page_bs4.py FILE [RUNS]

The same extraction as Tolvane's reader: the cards of the results list with
a Sold or Ended caption, up to the "Results matching fewer words" divider,
each with its item number (data-listingid or the /itm/ link), its title as
text (screen-reader text and a "New listing" badge left out), the digits of
its bids, its price text and its caption's date. Prints the listings found
and the median milliseconds per page over RUNS parses (default 5), of wall
time and of processor time.
"""
import re
import statistics
import sys
import time

from bs4 import BeautifulSoup

CAPTION = re.compile(r"^\s*(Sold|Ended|Verkauft|Beendet|販売済み)\s*(.*)$", re.S)
BIDS = re.compile(r"^\s*(\d+)\s*(bids?|Gebote?|件の入札)", re.I)
ITEM = re.compile(r"/itm/(?:[^/?#]*/)?(\d+)")
DATE = re.compile(r"([A-Za-zä]+)\.?\s+(\d{1,2}),?\s+(\d{4})|(\d{1,2})\.?\s+([A-Za-zä]+)\.?\s+(\d{4})")
BADGES = ("new listing", "neues angebot")
DIVIDERS = ("Results matching fewer words", "Ergebnisse für weniger Suchbegriffe")


def read_card(card):
    caption = card.select_one(".s-card__caption, .s-item__caption--signal")
    found = CAPTION.match(caption.get_text()) if caption else None
    if not found:
        return None
    item = card.get("data-listingid")
    if not item:
        link = card.find("a", href=ITEM)
        item = ITEM.search(link["href"]).group(1) if link else None
    if not item or item == "123456":
        return None
    title = card.select_one(".s-card__title, .s-item__title")
    words = []
    if title:
        for clipped in title.select(".clipped"):
            clipped.extract()
        words = title.get_text(" ").split()
        text = " ".join(words)
        for badge in BADGES:
            if text.lower().startswith(badge):
                text = text[len(badge):].strip()
    else:
        text = ""
    bids = "-"
    for string in card.stripped_strings:
        matched = BIDS.match(string)
        if matched:
            bids = matched.group(1)
            break
    price = " ".join(p.get_text(" ", strip=True) for p in card.select(".s-card__price, .s-item__price"))
    date = DATE.search(found.group(2))
    return item, text, bids, price, date.group(0) if date else ""


def extract(html):
    soup = BeautifulSoup(html, "lxml")
    results = soup.select_one(".srp-results")
    listings = []
    if results is None:
        return listings
    for element in results.find_all(["li", "h3", "div"]):
        if element.name == "li" and {"s-card", "s-item"} & set(element.get("class", [])):
            listing = read_card(element)
            if listing:
                listings.append(listing)
        elif element.name == "h3" and element.get_text(strip=True) in DIVIDERS:
            break
    return listings


def main():
    with open(sys.argv[1], encoding="utf-8") as f:
        html = f.read()
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    wall = []
    cpu = []
    listings = []
    for _ in range(runs):
        start = time.perf_counter()
        start_cpu = time.process_time()
        listings = extract(html)
        cpu.append((time.process_time() - start_cpu) * 1000.0)
        wall.append((time.perf_counter() - start) * 1000.0)
    print("listings %d" % len(listings))
    print("wall_ms %.2f" % statistics.median(wall))
    print("cpu_ms %.2f" % statistics.median(cpu))


if __name__ == "__main__":
    main()
