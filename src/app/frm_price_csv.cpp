#include "app/frm_price.h"

namespace tolvane {

void TFrmPrice::CreateCSVFileFromGrid1Click(const Sender&) {}
void TFrmPrice::ImportCSVFileFromGrid1Click(const Sender&) {}
void TFrmPrice::MergeCSVFileWithCurrentGridResults1Click(const Sender&) {}
std::string TFrmPrice::CleanCsvField(const std::string& text) const {
  return text;
}

}  // namespace tolvane
