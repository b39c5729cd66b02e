#include "app/registry_text.h"

#include <cstdio>

#include "util/files.h"

namespace tolvane {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kOldHeader = "REGEDIT4";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         SameName(text.substr(0, prefix.size()), prefix);
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (Lower(c) >= 'a' && Lower(c) <= 'f');
}

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// A double-quoted text starting at text[0], with \\ and \" escapes. Gives the
// unescaped text and how many characters the quoted form took.
std::optional<std::pair<std::string, std::size_t>> ParseQuoted(
    std::string_view text) {
  if (text.empty() || text[0] != '"') return std::nullopt;
  std::string out;
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] == '"') return std::make_pair(out, i + 1);
    if (text[i] == '\\') {
      if (++i == text.size()) return std::nullopt;
    }
    out += text[i];
  }
  return std::nullopt;
}

std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + '"';
}

// hex:01,02 or hex(7):41,00 and so on; the list may be empty.
bool IsHexData(std::string_view data) {
  if (!StartsWithNoCase(data, "hex")) return false;
  data.remove_prefix(3);
  if (!data.empty() && data[0] == '(') {
    const std::size_t close = data.find(')');
    if (close == std::string_view::npos || close == 1) return false;
    for (std::size_t i = 1; i < close; ++i) {
      if (!IsHexDigit(data[i])) return false;
    }
    data.remove_prefix(close + 1);
  }
  if (data.empty() || data[0] != ':') return false;
  data = Trim(data.substr(1));
  if (data.empty()) return true;
  while (true) {
    const std::size_t comma = data.find(',');
    const std::string_view byte = Trim(data.substr(0, comma));
    if (byte.size() != 2 || !IsHexDigit(byte[0]) || !IsHexDigit(byte[1]))
      return false;
    if (comma == std::string_view::npos) return true;
    data.remove_prefix(comma + 1);
  }
}

bool IsStringData(std::string_view data) {
  const auto quoted = ParseQuoted(data);
  return quoted && quoted->second == data.size();
}

bool IsKnownData(std::string_view data) {
  return DwordOf(data).has_value() || IsStringData(data) || IsHexData(data);
}

void SetValue(RegistryKey& key, RegistryValue value) {
  // A name given twice keeps its last data, as an import would.
  if (RegistryValue* old = RegistryText::FindValue(key, value.name)) {
    old->data = std::move(value.data);
  } else {
    key.values.push_back(std::move(value));
  }
}

}  // namespace

RegistryKey* RegistryText::FindKey(std::string_view path) {
  for (RegistryKey& key : keys) {
    if (SameName(key.path, path)) return &key;
  }
  return nullptr;
}

const RegistryKey* RegistryText::FindKey(std::string_view path) const {
  return const_cast<RegistryText*>(this)->FindKey(path);
}

RegistryValue* RegistryText::FindValue(RegistryKey& key,
                                       std::string_view name) {
  for (RegistryValue& value : key.values) {
    if (SameName(value.name, name)) return &value;
  }
  return nullptr;
}

const RegistryValue* RegistryText::FindValue(const RegistryKey& key,
                                             std::string_view name) {
  return FindValue(const_cast<RegistryKey&>(key), name);
}

std::optional<RegistryText> ParseRegistryText(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(3);
  const std::vector<std::string> lines = SplitLines(std::string(text));
  RegistryText registry;
  bool header_seen = false;
  RegistryKey* key = nullptr;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = Trim(lines[i]);
    if (line.empty()) continue;
    if (!header_seen) {
      if (line != kHeader && line != kOldHeader) return std::nullopt;
      header_seen = true;
      continue;
    }
    if (line[0] == ';') continue;
    if (line[0] == '[') {
      // "[-path]" deletes a key on import; a store never holds one.
      if (line.size() < 3 || line.back() != ']' || line[1] == '-')
        return std::nullopt;
      const std::string path(line.substr(1, line.size() - 2));
      key = registry.FindKey(path);
      if (key == nullptr) {
        registry.keys.push_back({path, {}});
        key = &registry.keys.back();
      }
      continue;
    }
    if (key == nullptr) return std::nullopt;
    RegistryValue value;
    std::string_view rest;
    if (line[0] == '@') {
      rest = line.substr(1);
    } else {
      const auto name = ParseQuoted(line);
      if (!name || name->first.empty()) return std::nullopt;
      value.name = name->first;
      rest = line.substr(name->second);
    }
    rest = Trim(rest);
    if (rest.empty() || rest[0] != '=') return std::nullopt;
    value.data = std::string(Trim(rest.substr(1)));
    // Long binary data goes on over further lines, each but the last ending
    // in a backslash.
    while (StartsWithNoCase(value.data, "hex") && !value.data.empty() &&
           value.data.back() == '\\' && i + 1 < lines.size()) {
      value.data.pop_back();
      value.data += Trim(lines[++i]);
    }
    if (!IsKnownData(value.data)) return std::nullopt;
    SetValue(*key, std::move(value));
  }
  if (!header_seen) return RegistryText{};
  return registry;
}

std::string FormatRegistryText(const RegistryText& registry) {
  std::string out = std::string(kHeader) + "\n\n";
  for (const RegistryKey& key : registry.keys) {
    out += "[" + key.path + "]\n";
    for (const RegistryValue& value : key.values) {
      out += (value.name.empty() ? std::string("@") : Quote(value.name)) + "=" +
             value.data + "\n";
    }
    out += "\n";
  }
  return out;
}

std::optional<std::int32_t> DwordOf(std::string_view data) {
  if (!StartsWithNoCase(data, "dword:")) return std::nullopt;
  const std::string_view digits = data.substr(6);
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : digits) {
    if (!IsHexDigit(c)) return std::nullopt;
    const char lower = Lower(c);
    value = value * 16 + static_cast<std::uint32_t>(
                             lower <= '9' ? lower - '0' : lower - 'a' + 10);
  }
  return static_cast<std::int32_t>(value);
}

std::string DwordData(std::int32_t value) {
  char digits[9];
  std::snprintf(digits, sizeof digits, "%08x",
                static_cast<std::uint32_t>(value));
  return std::string("dword:") + digits;
}

}  // namespace tolvane
