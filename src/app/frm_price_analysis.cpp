#include <string>
#include <vector>

#include "analysis/hourly_analysis.h"
#include "app/frm_ana.h"
#include "app/frm_price.h"

namespace tolvane {

void TFrmPrice::GetHourlyandWeekdayStats1Click(const Sender&) {
  if (grid_.Count() == 0) return;
  // The whole report is made first: a row that fails leaves the window and
  // its last report as they were.
  const std::vector<std::string> lines =
      HourlyWeekdayReport(grid_, services_.clock.Today(), ShownSettings());
  TFrmAna& ana = *app_.FrmAna;
  ana.Memo1.Clear();
  for (const std::string& line : lines) ana.Memo1.Add(line);
  ana.Form.Show();
}

}  // namespace tolvane
