#pragma once

#include <string>
#include <vector>

#include "listing/parsed_item.h"
#include "util/tessik_glo.h"

namespace tolvane::testing {

// The merge walk as it reads literally: every cut makes a new copy of the
// rest of the text. The program's walk must give the same records; the
// differential test compares the two.
inline std::vector<ParsedItem> LiteralCsvWalk(std::string t) {
  std::vector<ParsedItem> records;
  do {
    t = TessikGlo::TailAfter(t, 1);
    ParsedItem item;
    for (std::string* field :
         {&item.Item, &item.Description, &item.Price, &item.Bids}) {
      *field = SubString(t, 1, TessikGlo::Find(t, "\"") - 1);
      t = TessikGlo::TailAfter(t, static_cast<int>(field->size()) + 3);
    }
    item.Ended = SubString(t, 1, TessikGlo::Find(t, "\"") - 1);
    records.push_back(item);
    t = TessikGlo::TailAfter(t, static_cast<int>(item.Ended.size()) + 1);
  } while (t.size() > 1);
  return records;
}

}  // namespace tolvane::testing
