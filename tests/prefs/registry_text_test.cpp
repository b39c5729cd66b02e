#include "prefs/registry_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace tolvane {
namespace {

// Catches an empty byte list refused, a byte list with a bad digit kept, and
// bytes that are no UTF-8 character (overlong, past U+10FFFF) written into
// the registry editor's UTF-16 as one: each value is read, written as UTF-16
// and read again ("" where the line is refused).
TEST(RegistryTextTest, DataIsCheckedAndKeptThroughUtf16) {
  const std::pair<std::string, std::string> cases[] = {
      {"hex:", "hex:"},
      {"hex(7):", "hex(7):"},
      {"hex:g1", ""},
      {"hex:1g", ""},
      {"\"\xC0\xAF\"", "\"\uFFFD\uFFFD\""},
      {"\"\xF4\x90\x80\x80\"", "\"\uFFFD\uFFFD\uFFFD\uFFFD\""},
  };
  for (const auto& [data, kept] : cases) {
    const ParsedRegistryText read = ParseRegistryText(
        "Windows Registry Editor Version 5.00\n[K]\n\"v\"=" + data + "\n");
    const ParsedRegistryText again = ParseRegistryText(FormatRegistryText(
        read.registry, {RegistryTextForm::Encoding::kUtf16Le}));
    const RegistryValue* value = again.registry.FindKey("K")->FindValue("v");
    EXPECT_EQ(value ? value->data : "", kept) << data;
  }
}

}  // namespace
}  // namespace tolvane
