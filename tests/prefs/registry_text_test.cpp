#include "prefs/registry_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace tolvane {
namespace {

// Catches an empty byte list refused, a malformed one kept, text before the
// header or a blank first line misread, a value name found only in its own
// letter case, and bytes that are no UTF-8 character (overlong, a surrogate,
// past U+10FFFF) written into the registry editor's UTF-16 as one: each value
// is read, written as UTF-16 and read again ("" where the line is refused).
TEST(RegistryTextTest, DataIsCheckedAndKeptThroughUtf16) {
  const std::pair<std::string, std::string> cases[] = {
      {"hex:", "hex:"},
      {"hex(7):", "hex(7):"},
      {"hex:g1", ""},
      {"hex:1g", ""},
      {"hex,01", ""},
      {"hex()", ""},
      {"\"\xC0\xAF\"", "\"\uFFFD\uFFFD\""},
      {"\"\xED\xBF\xBF\"", "\"\uFFFD\uFFFD\uFFFD\""},
      {"\"\xF4\x90\x80\x80\"", "\"\uFFFD\uFFFD\uFFFD\uFFFD\""},
  };
  for (const auto& [data, kept] : cases) {
    const ParsedRegistryText read = ParseRegistryText(
        "\nnot a header\nWindows Registry Editor Version 5.00\n[K]\n\"Z\"=" +
        data + "\n");
    EXPECT_EQ(read.bad_lines, kept.empty() ? 2u : 1u) << data;
    const ParsedRegistryText again = ParseRegistryText(FormatRegistryText(
        read.registry, {RegistryTextForm::Encoding::kUtf16Le}));
    const RegistryValue* value = again.registry.FindKey("K")->FindValue("z");
    EXPECT_EQ(value ? value->data : "", kept) << data;
  }
}

}  // namespace
}  // namespace tolvane
