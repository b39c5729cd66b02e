#include "prefs/registry_text.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "util/lines.h"

namespace tolvane {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kOldHeader = "REGEDIT4";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr char32_t kReplacement = 0xFFFD;

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

std::string LowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = Lower(c);
  return out;
}

void AppendUtf8(std::string& out, char32_t c) {
  const auto byte = [&out](char32_t b) { out += static_cast<char>(b); };
  if (c < 0x80) {
    byte(c);
  } else if (c < 0x800) {
    byte(0xC0 | c >> 6);
    byte(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    byte(0xE0 | c >> 12);
    byte(0x80 | (c >> 6 & 0x3F));
    byte(0x80 | (c & 0x3F));
  } else {
    byte(0xF0 | c >> 18);
    byte(0x80 | (c >> 12 & 0x3F));
    byte(0x80 | (c >> 6 & 0x3F));
    byte(0x80 | (c & 0x3F));
  }
}

// The character of the UTF-8 sequence at text[at] and its length; a byte
// that starts no valid sequence is U+FFFD on its own.
std::pair<char32_t, std::size_t> NextUtf8(std::string_view text,
                                          std::size_t at) {
  const auto unit = [&](std::size_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(text[i]));
  };
  const char32_t lead = unit(at);
  if (lead < 0x80) return {lead, 1};
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  // The smallest character each length may carry: shorter forms are not
  // characters.
  constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (lead < 0xC0 || lead > 0xF4 || at + length > text.size())
    return {kReplacement, 1};
  char32_t c = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((unit(at + i) & 0xC0) != 0x80) return {kReplacement, 1};
    c = c << 6 | (unit(at + i) & 0x3F);
  }
  if (c < kLeast[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
    return {kReplacement, 1};
  return {c, length};
}

// UTF-16 little-endian after its mark, as UTF-8; a lone surrogate is
// U+FFFD, and an odd last byte is no character.
std::string FromUtf16Le(std::string_view bytes) {
  const auto unit = [&](std::size_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(bytes[i]) |
                                 static_cast<unsigned char>(bytes[i + 1]) << 8);
  };
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char32_t c = unit(i);
    if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size() &&
        unit(i + 2) >= 0xDC00 && unit(i + 2) <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kReplacement;
    }
    AppendUtf8(out, c);
  }
  return out;
}

std::string ToUtf16Le(std::string_view text) {
  std::string out(kUtf16LeMark);
  out.reserve(2 * text.size() + 2);
  const auto put = [&out](char32_t u) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
  };
  for (std::size_t at = 0; at < text.size();) {
    const auto [c, length] = NextUtf8(text, at);
    at += length;
    if (c < 0x10000) {
      put(c);
    } else {
      put(0xD800 + ((c - 0x10000) >> 10));
      put(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return out;
}

}  // namespace

const RegistryValue* RegistryKey::FindValue(std::string_view name) const {
  const auto found = index_.find(LowerCase(name));
  return found == index_.end() ? nullptr : &values_[found->second];
}

void RegistryKey::SetValue(std::string name, std::string data,
                           RegistryComments comments) {
  const auto [slot, added] =
      index_.try_emplace(LowerCase(name), values_.size());
  if (added) {
    values_.push_back({std::move(name), std::move(data), std::move(comments)});
    return;
  }
  RegistryValue& value = values_[slot->second];
  value.data = std::move(data);
  value.comments.insert(value.comments.end(), comments.begin(), comments.end());
}

const RegistryKey* RegistryText::FindKey(std::string_view path) const {
  const auto found = index_.find(LowerCase(path));
  return found == index_.end() ? nullptr : &keys_[found->second];
}

RegistryKey& RegistryText::AddKey(std::string_view path) {
  const auto [slot, added] = index_.try_emplace(LowerCase(path), keys_.size());
  if (added) keys_.emplace_back(std::string(path));
  return keys_[slot->second];
}

ParsedRegistryText ParseRegistryText(std::string_view bytes) {
  ParsedRegistryText parsed;
  using Encoding = RegistryTextForm::Encoding;
  std::string decoded;
  std::string_view text = bytes;
  if (bytes.starts_with(kUtf16LeMark)) {
    parsed.form.encoding = Encoding::kUtf16Le;
    decoded = FromUtf16Le(bytes.substr(kUtf16LeMark.size()));
    text = decoded;
  } else if (bytes.starts_with(kUtf8Mark)) {
    parsed.form.encoding = Encoding::kUtf8WithMark;
    text.remove_prefix(kUtf8Mark.size());
  }
  const std::size_t first_break = text.find('\n');
  parsed.form.crlf = first_break != std::string_view::npos && first_break > 0 &&
                     text[first_break - 1] == '\r';
  RegistryText& registry = parsed.registry;
  // Every key line starts with a bracket, so their count bounds the keys.
  registry.Reserve(
      static_cast<std::size_t>(std::count(text.begin(), text.end(), '[')));
  bool header_seen = false;
  // The key the following values belong to; none before the first key line
  // and after a key line that cannot be read, so that values never land in
  // the wrong key.
  RegistryKey* key = nullptr;
  // Comments wait for the key or value below them.
  RegistryComments comments;
  LineWalker lines(text);
  std::string_view raw;
  while (lines.Next(raw)) {
    const std::string_view line = Trim(raw);
    if (line.empty()) continue;
    if (!header_seen) {
      if (line == kHeader || line == kOldHeader) {
        header_seen = true;
      } else {
        ++parsed.bad_lines;
      }
      continue;
    }
    if (line[0] == ';') {
      comments.emplace_back(line);
      continue;
    }
    if (line[0] == '[') {
      key = nullptr;
      // "[-path]" deletes a key on import; a store never holds one.
      if (line.size() < 3 || line.back() != ']' || line[1] == '-') {
        ++parsed.bad_lines;
        continue;
      }
      const std::string_view path = line.substr(1, line.size() - 2);
      key = &registry.AddKey(path);
      RegistryComments& above = key->Comments();
      above.insert(above.end(), comments.begin(), comments.end());
      comments.clear();
      continue;
    }
    std::string name;
    std::string_view rest;
    bool readable = key != nullptr;
    // A line that is neither leaves `rest` empty, which makes it unreadable.
    if (line[0] == '@') {
      rest = line.substr(1);
    } else if (const auto quoted = ParseQuoted(line);
               quoted && !quoted->first.empty()) {
      name = quoted->first;
      rest = line.substr(quoted->second);
    }
    rest = Trim(rest);
    if (rest.empty() || rest[0] != '=') readable = false;
    std::string data(rest.empty() ? std::string_view() : Trim(rest.substr(1)));
    // Long binary data goes on over further lines, each but the last ending
    // in a backslash.
    while (readable && StartsWithNoCase(data, "hex") && data.back() == '\\' &&
           lines.Next(raw)) {
      data.pop_back();
      data += Trim(raw);
    }
    if (!readable || !IsKnownData(data)) {
      ++parsed.bad_lines;
      continue;
    }
    key->SetValue(std::move(name), std::move(data), std::move(comments));
    comments.clear();
  }
  registry.TrailingComments() = std::move(comments);
  return parsed;
}

std::string FormatRegistryText(const RegistryText& registry,
                               RegistryTextForm form) {
  const std::string_view end = form.crlf ? "\r\n" : "\n";
  std::string out;
  const auto line = [&](std::string_view text) {
    out.append(text).append(end);
  };
  const auto comments = [&](const RegistryComments& lines) {
    for (const std::string& comment : lines) line(comment);
  };
  line(kHeader);
  line("");
  for (const RegistryKey& key : registry.Keys()) {
    comments(key.Comments());
    line("[" + key.Path() + "]");
    for (const RegistryValue& value : key.Values()) {
      comments(value.comments);
      line((value.name.empty() ? std::string("@") : Quote(value.name)) + "=" +
           value.data);
    }
    line("");
  }
  comments(registry.TrailingComments());
  using Encoding = RegistryTextForm::Encoding;
  if (form.encoding == Encoding::kUtf16Le) return ToUtf16Le(out);
  if (form.encoding == Encoding::kUtf8WithMark)
    return std::string(kUtf8Mark) + out;
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
