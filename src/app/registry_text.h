#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// One value as the file writes it: its name (empty for a key's default
// value, written @) and its data exactly as after the "=" (dword:0000005a,
// "text", hex:01,02, ...), with continuation lines joined.
struct RegistryValue {
  std::string name;
  std::string data;
};

struct RegistryKey {
  std::string path;  // HKEY_LOCAL_MACHINE\SOFTWARE\...
  std::vector<RegistryValue> values;
};

// The contents of a file in the registry export format.
struct RegistryText {
  std::vector<RegistryKey> keys;

  // Key paths and value names compare without regard to letter case, as
  // the registry's do.
  RegistryKey* FindKey(std::string_view path);
  const RegistryKey* FindKey(std::string_view path) const;
  static RegistryValue* FindValue(RegistryKey& key, std::string_view name);
  static const RegistryValue* FindValue(const RegistryKey& key,
                                        std::string_view name);
};

// Nothing when the text is not a registry export this program can keep
// whole: a missing header, a line that is neither a key, a value, a comment
// nor blank, a value outside a key, or data of no known form. A text of
// blanks only is an empty file.
std::optional<RegistryText> ParseRegistryText(std::string_view text);

std::string FormatRegistryText(const RegistryText& registry);

// The integer of dword data; nothing for data of any other type.
std::optional<std::int32_t> DwordOf(std::string_view data);
// dword data as the export writes it: eight lower-case hexadecimal digits.
std::string DwordData(std::int32_t value);

}  // namespace tolvane
