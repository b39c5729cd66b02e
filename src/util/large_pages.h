#pragma once

#include <cstddef>

namespace tolvane {

// Asks for large pages under a big table: filling it then costs a page
// fault per 2 MB instead of per 4 KB, and reading it at random misses the
// address cache far less. Only whole large pages inside the table are
// advised; call it before the table is first written.
void AdviseLargePages(const void* data, std::size_t bytes);

}  // namespace tolvane
