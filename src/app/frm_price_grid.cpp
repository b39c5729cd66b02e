#include <cstdint>
#include <optional>

#include "analysis/grid_commands.h"
#include "analysis/item_address.h"
#include "analysis/row_sort.h"
#include "app/frm_price.h"
#include "app/shown_progress.h"
#include "app/site_choice.h"
#include "util/calendar.h"

namespace tolvane {
namespace {

constexpr const char* kSortingByBids = "Sorting by Bids…";
constexpr const char* kSortingByPrice = "Sorting by Price…";

}  // namespace

void TFrmPrice::CheckAll1Click(const Sender&) {
  // The menu colour tells that the price filter is no longer in force.
  EdtHiFilter.SetColor(SystemColor::kMenu);
  EdtLowFilter.SetColor(SystemColor::kMenu);
  if (grid_.Count() == 0) return;
  grid_.CheckAll();
  ComputeSummary();
}

void TFrmPrice::DeleteZeroBidAuctions1Click(const Sender&) {
  if (DeleteRows(grid_, RowsToDelete::kZeroBid)) ComputeSummary();
}

void TFrmPrice::DeleteSelected1Click(const Sender&) {
  if (DeleteRows(grid_, RowsToDelete::kSelected)) ComputeSummary();
}

void TFrmPrice::DeleteUnchecked1Click(const Sender&) {
  if (DeleteRows(grid_, RowsToDelete::kUnchecked)) ComputeSummary();
}

void TFrmPrice::NewSearch1Click(const Sender&) {
  // The memo keeps the last search's figures until the next row arrives.
  grid_.Clear();
  EdtQuery.SetText("");
  EdtQuery.SetFocus();
}

void TFrmPrice::ListView1ColumnClick(const Sender&, int column) {
  // A sort moves rows with their icons; the summary is not recomputed. A
  // Cancel leaves the rows, and the column's next direction, as they were.
  if (column != kBidsColumn && column != kPriceColumn) return;
  const ShownProgress progress(
      app_, services_.progress,
      column == kBidsColumn ? kSortingByBids : kSortingByPrice,
      static_cast<std::uint64_t>(grid_.Count()));
  const SortStep step = [this](std::size_t done) {
    services_.progress.Set(done);
    return !services_.progress.Cancelled();
  };
  if (column == kBidsColumn) {
    if (SortByBids(grid_, bids_sort_direction_, step)) {
      bids_sort_direction_ = -bids_sort_direction_;
    }
  } else if (SortByPrice(grid_, price_sort_direction_, step)) {
    price_sort_direction_ = -price_sort_direction_;
  }
}

void TFrmPrice::ListView1Click(const Sender&) {
  const std::optional<int> row = controls_.ListView1View.RowAtCursor();
  if (!row || *row < 0 || *row >= grid_.Count()) return;
  const RowView chosen = grid_.Row(*row);
  // A row dated with its year comes from today's site (a page or another
  // tool's export of it), whose listings live under /itm/ on the
  // marketplace; the classic rows keep the classic item page.
  if (ReadDatedEnd(chosen.ended)) {
    glo_.ShellOpen(SoldItemPageAddress(
        MarketplaceAddress(Hosts(), ReadSiteChoice(services_.preferences)),
        chosen.item));
    return;
  }
  glo_.ShellOpen(ItemPageAddress(Hosts().item_host, chosen.item));
}

}  // namespace tolvane
