#include "commands.h"

namespace tolvane::cli {

int RunUrl(const Args&) { return 2; }

}  // namespace tolvane::cli
