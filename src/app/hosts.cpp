#include "app/hosts.h"

namespace tolvane {

HostConfig HostConfig::FromEnvironment() { return {}; }

}  // namespace tolvane
