#pragma once

#include <string>

namespace tolvane {

// One auction before it becomes a row: every field is text as found.
struct ParsedItem {
  std::string Item;
  std::string Description;
  std::string Bids;
  std::string Price;
  std::string Ended;
};

}  // namespace tolvane
