#pragma once

// Result pages in the site's format of 2003, built from parts, for the
// tests that need many or large pages.

#include <string>
#include <vector>

namespace tolvane::testing {

struct AuctionHtml {
  std::string item = "3012345678";
  std::string title = "Leica M3 body";
  std::string price_cell = "<b>$123.45</b>";
  std::string bids_cell = "7";
  std::string ended_cell = "Feb-17 21:23";
  bool picture = false;  // a thumbnail link before the title link
};

inline std::string ItemHref(const std::string& item) {
  return "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=" + item;
}

inline std::string AuctionTable(const AuctionHtml& a) {
  std::string html =
      "<table width=\"100%\" cellpadding=0 cellspacing=0 border=0>\r\n"
      "<tr bgcolor=\"#ffffff\" valign=middle>\r\n"
      "<td valign=top width=\"12%\">";
  if (a.picture) {
    html += "<a href=\"" + ItemHref(a.item) +
            "\"><img height=64 width=80 border=0 alt=\"Picture\" "
            "src=\"http://thumbs.ebay.com/pict/" +
            a.item + ".jpg\"></a>";
  } else {
    html += "&nbsp;";
  }
  html += "</td>\r\n<td valign=top width=\"52%\"><font size=3><a href=\"" +
          ItemHref(a.item) + "\">" + a.title +
          "</a></font></td>\r\n"
          "<td align=\"right\" valign=top width=\"16%\"><font size=3>" +
          a.price_cell +
          "</font></td>\r\n"
          "<td align=\"center\" valign=top width=\"8%\"><font size=3>" +
          a.bids_cell +
          "</font></td>\r\n"
          "<td align=\"right\" valign=top width=\"12%\"><font size=3>" +
          a.ended_cell + "</font></td>\r\n</tr>\r\n</table>\r\n";
  return html;
}

inline std::string PageHead(const std::string& padding = {}) {
  return "<html><head><title>eBay Search: leica</title>\r\n"
         "<meta http-equiv=\"Expires\" content=\"Mon, 17 Feb 2003 21:40:12 "
         "GMT\">\r\n</head>\r\n<body bgcolor=\"#ffffff\">\r\n" +
         padding +
         "<table width=\"100%\"><tr><td><font size=2>Items 1 - 50 of "
         "1234 total</font></td></tr></table>\r\n"
         "<a href=\"http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&category=625"
         "\">Cameras</a>\r\n";
}

// next: the link text of the following page's link, or empty for none.
inline std::string PageFoot(const std::string& next) {
  std::string html = "<table><tr><td align=center>";
  if (!next.empty()) {
    html +=
        "<a href=\"http://search-completed.ebay.com/search/"
        "search.dll?GetResult&query=leica&skip=50\">" +
        next + "</a>";
  }
  html +=
      "</td></tr></table>\r\n<a href=\"#top\">top of page</a>\r\n"
      "</body></html>\r\n";
  return html;
}

inline std::string ResultPage(const std::vector<AuctionHtml>& auctions,
                              const std::string& next = "Next >") {
  std::string html = PageHead();
  for (const AuctionHtml& a : auctions) html += AuctionTable(a);
  return html + PageFoot(next);
}

}  // namespace tolvane::testing
