#pragma once

#include <string>
#include <vector>

#include "analysis/icons.h"
#include "fakes/fakes.h"

namespace tolvane::testing {

// The main window on fakes, with a short way to add auctions.
struct RowsFixture {
  fakes::FakeApp f;
  TFrmPrice& w = *f.FrmPrice;

  int Add(const std::string& item, const std::string& price,
          const std::string& bids = "3") {
    return w.AddItem(ParsedItem{item, "Brass lamp", bids, price, "Dec-06"});
  }
  ResultGrid& Grid() { return w.ListView1(); }
  ResultRow Row(int i) { return w.ListView1().Row(i); }
  int Icon(int i) {
    return DeviationIcon(w.ListView1().Row(i), w.ListView1().IconAverage());
  }
  std::vector<bool> Checks() {
    std::vector<bool> checks;
    for (int i = 0; i < Grid().Count(); ++i) checks.push_back(Row(i).checked);
    return checks;
  }
  std::vector<std::string> Items() {
    std::vector<std::string> items;
    for (int i = 0; i < Grid().Count(); ++i) items.push_back(Row(i).item);
    return items;
  }
  const std::vector<std::string>& Memo() { return f.MResultsLeft.lines; }
  // The value part of a memo line, after its label.
  std::string Figure(int line) {
    const std::string& text = Memo().at(static_cast<std::size_t>(line));
    return text.substr(text.find_last_of('\t') + 1);
  }
};

}  // namespace tolvane::testing
