#!/usr/bin/env python3
"""Writes one of today's sold-listings result pages for the reader benchmarks.

usage: make_sold_page.py LISTINGS FILE

The card layout as the site serves it: minified, attribute values unquoted
where they are one token, data-* attributes holding JSON with quotes and ">",
comments between elements, scripts that mention the cards' class names, icons
drawn in SVG, and about 8 KB of markup per card. LISTINGS cards with a Sold
or Ended caption (bids, Buy It Now, a best offer accepted, an asking price
struck beside the sold one, a price range, a "New listing" badge, entities in
titles), a few still for sale, the "Shop on eBay" placeholder and sponsored
inserts among them, then the fewer-words divider and cards after it that are
no match. The same LISTINGS always give the same page.
"""
import random
import sys

MONTHS = ["Jan", "Feb", "Mar", "Apr", "May", "Jun",
          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]
WORDS = ["Vintage", "Brass", "Table", "Lamp", "Art", "Deco", "Shade", "Green",
         "Glass", "Bankers", "Desk", "Antique", "Pair", "Oil", "Hurricane",
         "Victorian", "Signed", "Original", "Working", "Restored"]

ICON = ('<svg class="icon icon--16" focusable=false aria-hidden=true>'
        '<use href="#icon-chevron-right-16"></use></svg>')


def tracking(rng):
    return "".join(rng.choice("ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz0123456789")
                   for _ in range(96))


def attribute_row(text, classes="su-styled-text secondary large"):
    return ('<div class=s-card__attribute-row><span class="%s">%s</span>'
            '</div><!--F/-->' % (classes, text))


def card(rng, index, item, caption, title, price_html, rows):
    token = tracking(rng)
    viewport = ('{"trackableId":"01J%s","parentrq":"%s","pageci":"%s",'
                '"interaction":"{\\"cta\\":\\"x>y\\"}","moduledtl":"mi:1686|iid:%d"}'
                % (token[:20], token[20:36], token[36:], index))
    link = ("https://www.ebay.com/itm/%s?_skw=brass+lamp&amp;epid=%d&amp;"
            "hash=item%x:g:%s&amp;itmprp=enc%%3AAQAKAAAA4%s%%7Ctkp%%3ABk9SR"
            % (item, 2000000 + index, index * 7919, token[:16], token))
    caption_html = ""
    if caption:
        tone = "positive" if caption.startswith("Sold") else "secondary"
        caption_html = ('<div class=s-card__caption><span class="su-styled-text %s default">'
                        '%s</span></div>' % (tone, caption))
    badge = ("<span class=LIGHT_HIGHLIGHT>New listing</span>"
             if index % 9 == 4 else "")
    images = " ".join("https://i.ebayimg.com/images/g/%s/s-l%d.webp %dw"
                      % (token[:16], size, size) for size in (140, 225, 300, 500, 960, 1600))
    html = (
        '<li class="s-card s-card--horizontal s-card--dark-solt-links-blue" '
        'id=item%x data-listingid=%s data-view=mi:1686|iid:%d '
        "data-viewport='%s' data-marko-key=\"@item_%d s0-55-0-9-8-4-4-0-3-0-%d\">"
        "<!--F#f_%d-->"
        "<div class=su-card-container><div class=su-card-container__media>"
        '<div class=su-media><div class=su-media__image>'
        '<a class="su-link image-treatment" href="%s" tabindex=-1 data-interactions=\'[{"actionKind":"NAVSRC","interaction":"%s"}]\'>'
        '<img class=s-card__image src="https://i.ebayimg.com/images/g/%s/s-l500.webp" '
        'srcset="%s" sizes="(max-width: 600px) 140px, 225px" alt="%s" loading=lazy '
        'fetchpriority=low data-defer-load=true></a></div>'
        '<div class=su-media__watch-button><button class="icon-btn icon-btn--transparent" '
        'aria-label="Watch %s" data-track=\'{"eventFamily":"LST","eventAction":"ACTN",'
        '"actionKind":"CLICK","operationId":"2351460","flushImmediately":false}\'>%s</button>'
        "</div></div></div><!--F/-->"
        "<div class=su-card-container__content><div class=su-card-container__header>%s"
        '<a class=su-link href="%s" target=_blank data-interactions=\'[{"actionKind":"NAVSRC",'
        '"interaction":"%s"}]\'><div role=heading aria-level=3 class="s-card__title">'
        '<span class="su-styled-text primary default">%s%s</span>'
        "<span class=clipped>Opens in a new window or tab</span></div></a>"
        "<div class=s-card__subtitle-row><div class=s-card__subtitle>"
        '<span class="su-styled-text secondary default">Pre-Owned</span>'
        '<span class="su-styled-text secondary default"> &middot; </span>'
        '<span class="su-styled-text secondary default">Brass</span></div></div>'
        "<div class=s-card__reviews><span class=clipped>4.5 out of 5 stars.</span>"
        '<div class=x-star-rating role=img aria-label="4.5 out of 5 stars.">%s%s%s%s%s</div></div>'
        "</div><div class=su-card-container__attributes>"
        "<div class=su-card-container__attributes__primary>"
        "<div class=s-card__attribute-row>%s</div><!--F/-->%s</div>"
        "<div class=su-card-container__attributes__secondary>%s%s%s</div></div>"
        "</div></div>%s</li><!--F/-->"
        % (index * 104729, item, index, viewport, index, index, index,
           link, token, token[:16], images, title.replace('"', "&quot;"),
           title.replace('"', "&quot;"), ICON, caption_html, link, token,
           badge, title, ICON, ICON, ICON, ICON, ICON, price_html,
           "".join(attribute_row(row) for row in rows),
           attribute_row("Located in United States"),
           attribute_row("seller%d 99.%d%% positive (%d)" % (index, index % 10, 100 + index)),
           attribute_row('<span class="su-styled-text positive">Top Rated Plus</span>'),
           footer(link, token, index)))
    return html


def footer(link, token, index):
    """The card's seller links and watch counts, as long as the site's."""
    track = ('{"eventFamily":"LST","eventAction":"ACTN","actionKind":"NAVSRC",'
             '"operationId":"2351460","flushImmediately":false,"eventProperty":'
             '{"moduledtl":"mi:1686|iid:%d|li:8|luid:1","parentrq":"%s",'
             '"pageci":"%s","sid":"p2351460.m1686.l8"}}' % (index, token[:32], token[32:]))
    links = "".join(
        '<a class="su-link s-card__footer-link" href="%s&amp;_trksid=p2351460.m%d" '
        "data-track='%s'>%s %s</a>" % (link, 4000 + n, track, label, ICON)
        for n, label in enumerate(("More like this", "Sell one like this", "Seller's other items")))
    return ('<div class=s-card__footer><div class=s-card__watchers>'
            '<span class="su-styled-text secondary small">%d watchers</span></div>%s</div>'
            % (index % 30, links))


def price(cents):
    dollars = cents // 100
    text = "{:,}".format(dollars)
    return "$%s.%02d" % (text, cents % 100)


def price_span(text, struck=False):
    return ('<span class="su-styled-text positive bold %slarge-1 s-card__price">%s</span>'
            % ("strikethrough " if struck else "", text))


def sold_card(rng, index):
    item = str(376000000000 + index * 1000003)
    title = " ".join(rng.choice(WORDS) for _ in range(rng.randint(4, 9)))
    if index % 11 == 3:
        title += " &amp; Shade &#8211; 1920&#39;s"
    month = rng.randint(0, 11)
    day = rng.randint(1, 28)
    verb = "Ended" if index % 13 == 5 else "Sold"
    caption = "%s&nbsp; %s %d, 2025" % (verb, MONTHS[month], day)
    cents = rng.randint(100, 250000)
    kind = index % 10
    rows = []
    if kind in (0, 1, 2, 3, 4):
        rows.append("%d bid%s" % (kind * 5 + 1, "" if kind == 0 else "s"))
        price_html = price_span(price(cents))
    elif kind == 5:
        rows.append("Best offer accepted")
        price_html = price_span(price(cents), struck=True)
    elif kind == 6:
        rows.append("Buy It Now")
        price_html = (price_span(price(cents)) +
                      ' <span class="su-styled-text strikethrough secondary large">%s</span>'
                      % price(cents + 1500))
    elif kind == 7:
        rows.append("Buy It Now")
        price_html = price_span("%s to %s" % (price(cents), price(cents * 3)))
    else:
        rows.append("Buy It Now")
        price_html = price_span(price(cents))
    rows.append("+%s delivery" % price(rng.randint(0, 3000)))
    return card(rng, index, item, caption, title, price_html, rows)


def main():
    listings = int(sys.argv[1])
    rng = random.Random(20260307)
    script = ('<script>window.SRP={"selectors":{"card":"li.s-card","price":"s-card__price",'
              '"caption":"s-card__caption","list":"ul.srp-results"},"tpl":"<li class=\\"s-card\\" '
              'data-listingid=1><div class=s-card__caption>Sold  Mar 7, 2026</div></li>"};'
              + "".join("window.m%d=function(a,b){return a<b&&b>a?'<div class=s-card__title>'+a:'';};" % i
                        for i in range(800))
              + "</script>")
    out = ["<!DOCTYPE html><html lang=en><head><meta charset=utf-8>"
           "<title>brass lamp for sale | eBay</title>",
           script,
           "<style>" + "".join(".s-card__attribute-row:nth-child(%d){order:%d}" % (i, i)
                               for i in range(1500)) + "</style>",
           '</head><body><!--F#f_0--><h1 class="srp-controls__count-heading">'
           "<span class=BOLD>1,234</span> results for <span class=BOLD>brass lamp</span></h1>"
           '<ul class="srp-results srp-list clearfix"><!--F#f_1-->']
    # The placeholder first, as the site puts it.
    out.append(card(rng, 0, "123456", "", "Shop on eBay", price_span("$20.00"), ["Buy It Now"]))
    for index in range(1, listings + 1):
        out.append(sold_card(rng, index))
        if index % 40 == 20:
            # A sponsored insert without an item number, and one still for sale.
            out.append(card(rng, 100000 + index, "", "", "Brass polish", price_span("$9.99"),
                            ["Buy It Now"]).replace("data-listingid=", "data-x="))
            out.append(card(rng, 200000 + index, str(377000000000 + index), "",
                            "Brass lamp still listed", price_span("$55.00"), ["Buy It Now"]))
        if index % 60 == 0:
            out.append("<script>if(window.a<window.b){document.write('<li class=s-card "
                       "data-listingid=999><div class=s-card__caption>Sold</div>')}</script>")
    out.append('<li class="srp-river-answer srp-river-answer--REWRITE_START">'
               "<div class=srp-river-answer__rewrite><h3 class=srp-save-null-search__heading>"
               "Results matching fewer words</h3></div></li>")
    for index in range(listings + 1, listings + 6):
        out.append(sold_card(rng, index))
    out.append("</ul><nav class=pagination role=navigation aria-labelledby=pgn>"
               '<a class="pagination__next icon-link" href="https://www.ebay.com/sch/i.html?'
               "_nkw=brass+lamp&amp;LH_Sold=1&amp;LH_Complete=1&amp;_sop=13&amp;_ipg=240&amp;_pgn=2\" "
               "type=next aria-label=\"Go to next search page\">" + ICON + "</a></nav>"
               "</body></html>\n")
    with open(sys.argv[2], "w", encoding="utf-8", newline="\n") as f:
        f.write("".join(out))


if __name__ == "__main__":
    main()
