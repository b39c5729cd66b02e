#include "commands.h"

namespace tolvane::cli {

int RunAnalysis(const Args&) { return 2; }

}  // namespace tolvane::cli
