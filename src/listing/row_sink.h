#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "listing/caption_text.h"
#include "util/page_warmer.h"

namespace tolvane {

struct RowView;

// Where the records AddItem's rules take end up: the grid itself, or, where
// only the figures are wanted, something that keeps what they need. Merging
// a file into either runs the same steps in the same order.
class RowSink {
 public:
  virtual ~RowSink() = default;

  virtual int Count() const = 0;
  // True when some row's caption begins with the key's text, letter case
  // aside (the duplicate test).
  virtual bool HasCaptionWithPrefix(const caption::Key& key) const = 0;
  // A hint that the key is looked up soon; changes nothing.
  virtual void PrefetchCaption(const caption::Key& key) const = 0;
  // Appends a row whose caption has this key.
  virtual void Append(const RowView& row, const caption::Key& key) = 0;
  // False when the rows read only the figures' texts of what is appended
  // (item, bids and price): the others may then be left empty.
  virtual bool KeepsTexts() const = 0;
  // Room for `rows` more rows with `text_bytes` more bytes of text.
  virtual void Reserve(std::size_t rows, std::size_t text_bytes) = 0;
  // The room Reserve made, which appends fill from the front: its pages can
  // be made ready ahead of them.
  virtual std::vector<MemoryRange> RoomAhead() const { return {}; }

  // The currency the rows are in once a source named one; empty while none
  // has, or when there are no rows.
  virtual std::string_view Currency() const = 0;
  virtual void SetCurrency(std::string currency) = 0;
  // The currency of the rows when prices in `currency` may not join them.
  virtual std::optional<std::string> CurrencyConflict(
      std::string_view currency) const = 0;
};

}  // namespace tolvane
