// Any bytes in the preference file: the reader must neither crash nor
// keep text it would then write back differently.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "prefs/registry_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto parsed = tolvane::ParseRegistryText(text);
  // What the store writes, it must read back whole as the same keys,
  // values and comments, in the same form.
  const std::string written =
      tolvane::FormatRegistryText(parsed.registry, parsed.form);
  const auto again = tolvane::ParseRegistryText(written);
  if (again.bad_lines != 0 || !(again.form == parsed.form) ||
      tolvane::FormatRegistryText(again.registry, again.form) != written)
    __builtin_trap();
  (void)tolvane::DwordOf(text);
  return 0;
}
