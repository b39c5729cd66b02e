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
  // A sale whose price the page does not tell (a best offer accepted) or a
  // listing that ended unsold arrives unchecked, out of the figures until
  // the user checks it.
  bool checked = true;
};

}  // namespace tolvane
