#include <optional>
#include <string>
#include <utility>

#include "analysis/price_filter.h"
#include "analysis/summary.h"
#include "app/busy_box.h"
#include "app/frm_price.h"
#include "listing/price_text.h"
#include "util/money.h"

namespace tolvane {
namespace {

// A filter box's bound; a box that does not hold a number says so, gets its
// default text back and filters with the default.
double ReadFilterBox(TextBox& box, const char* default_text,
                     double default_value, const RegionalSettings& settings,
                     MessageBox& message_box) {
  if (const std::optional<double> bound = FilterBound(box.Text(), settings)) {
    return *bound;
  }
  message_box.Show(kFilterNotNumeric, kFilterErrorCaption, MbButtons::kOk,
                   MbIcon::kNone);
  box.SetText(default_text);
  return default_value;
}

}  // namespace

int TFrmPrice::AddItem(const ParsedItem& item) {
  const caption::Key key = caption::MakeKey(item.Item);
  if (grid_.HasCaptionWithPrefix(key)) return -1;
  // A price that passes the character test can still fail to convert ("$"
  // or "." alone, a line feed at the end); such a row would stop every
  // later summary, filter and sort, so it stays out like any unusable price.
  const std::optional<double> price = AddedRowPrice(item.Price, Regional());
  if (!price) return -2;
  grid_.Append(NewRow(item, *price), key);
  ComputeSummary();
  Form.Repaint();
  if (app_.BusyBox != nullptr) app_.BusyBox->Form.Repaint();
  return grid_.Count();
}

bool TFrmPrice::PriceTextInvalid(const ParsedItem& item) const {
  return !PriceTextUsable(item.Price);
}

RegionalSettings TFrmPrice::ShownSettings() const {
  return SettingsForCurrency(services_.regional, grid_.Currency());
}

void TFrmPrice::ComputeSummary() {
  if (summary_deferred_) return;
  // Figures in another currency than the user's own are written with its
  // symbol; the writer keeps its formatted texts for one currency only.
  if (grid_.Currency() != summary_currency_) {
    summary_currency_ = grid_.Currency();
    summary_writer_ = SummaryWriter(ShownSettings());
  }
  MResultsLeft.Clear();
  MResultsLeft.Add(summary_writer_.Text(FiguresOf(grid_.Totals())));
  SetRowIcons();
}

void TFrmPrice::SetRowIcons() {
  const GridTotals& totals = grid_.Totals();
  if (totals.count == 0) return;
  // Each row's icon follows from its price and this average when drawn.
  grid_.SetIconAverage(AverageEndPrice(totals));
}

void TFrmPrice::EdtLowFilterExit(const Sender&) {
  EdtHiFilter.SetColor(SystemColor::kWindow);
  EdtLowFilter.SetColor(SystemColor::kWindow);
  const int rows = grid_.Count();
  const double hi =
      ReadFilterBox(EdtHiFilter, kHiFilterDefaultText, kHiFilterDefault,
                    Regional(), services_.message_box);
  const double low =
      ReadFilterBox(EdtLowFilter, kLowFilterDefaultText, kLowFilterDefault,
                    Regional(), services_.message_box);
  if (rows == 0) return;
  UncheckOutside(grid_, low, hi);
  ComputeSummary();
}

}  // namespace tolvane
