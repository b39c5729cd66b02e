#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tolvane {

// Comment lines (";..."), kept where they stood: above a key or value, or
// at the end of the file.
using RegistryComments = std::vector<std::string>;

// One value as the file writes it: its name (empty for a key's default
// value, written @) and its data exactly as after the "=" (dword:0000005a,
// "text", hex:01,02, ...), with continuation lines joined.
struct RegistryValue {
  std::string name;
  std::string data;
  RegistryComments comments;  // the lines above it
};

// Key paths and value names compare without regard to letter case, as the
// registry's do; both are found through an index, so a file of tens of
// thousands of entries reads in one pass.
class RegistryKey {
 public:
  explicit RegistryKey(std::string path) : path_(std::move(path)) {}

  const std::string& Path() const { return path_; }  // HKEY_LOCAL_MACHINE\...
  const std::vector<RegistryValue>& Values() const { return values_; }
  const RegistryValue* FindValue(std::string_view name) const;
  // A name given twice keeps its last data, as an import would, and the
  // comments of both; a value of another type is replaced, type and all.
  void SetValue(std::string name, std::string data,
                RegistryComments comments = {});
  RegistryComments& Comments() { return comments_; }  // above the key's line
  const RegistryComments& Comments() const { return comments_; }

 private:
  std::string path_;
  RegistryComments comments_;
  std::vector<RegistryValue> values_;
  std::unordered_map<std::string, std::size_t> index_;
};

// The contents of a file in the registry export format, keys in file order.
// (A deque, so that adding a key never moves the others.)
class RegistryText {
 public:
  const std::deque<RegistryKey>& Keys() const { return keys_; }
  const RegistryKey* FindKey(std::string_view path) const;
  // The key of that path, added at the end when missing.
  RegistryKey& AddKey(std::string_view path);
  // Room in the index for this many keys, so a large file is not rehashed
  // again and again while it is read.
  void Reserve(std::size_t keys) { index_.reserve(keys); }
  RegistryComments& TrailingComments() { return trailing_; }
  const RegistryComments& TrailingComments() const { return trailing_; }

 private:
  std::deque<RegistryKey> keys_;
  RegistryComments trailing_;
  std::unordered_map<std::string, std::size_t> index_;
};

// How a file was written, so that a save keeps it: the registry editor
// exports UTF-16 with a byte order mark and CR LF; other tools write UTF-8,
// some with a byte order mark.
struct RegistryTextForm {
  enum class Encoding { kUtf8, kUtf8WithMark, kUtf16Le };
  Encoding encoding = Encoding::kUtf8;
  bool crlf = false;
  friend bool operator==(const RegistryTextForm&,
                         const RegistryTextForm&) = default;
};

struct ParsedRegistryText {
  RegistryText registry;
  RegistryTextForm form;
  // Lines that are not a registry export this program can keep: text before
  // a header (all of it, when the header is missing), a line that is neither
  // a key, a value, a comment nor blank, a value outside a key or under a
  // malformed key line, data of no known form. Each is left out on its own;
  // everything else is read.
  std::size_t bad_lines = 0;
};

// Any bytes: UTF-16 (little-endian, with its byte order mark) is read as
// the text it holds, a unit that is no character as U+FFFD.
ParsedRegistryText ParseRegistryText(std::string_view bytes);

std::string FormatRegistryText(const RegistryText& registry,
                               RegistryTextForm form = {});

// The integer of dword data; nothing for data of any other type.
std::optional<std::int32_t> DwordOf(std::string_view data);
// dword data as the export writes it: eight lower-case hexadecimal digits.
std::string DwordData(std::int32_t value);

}  // namespace tolvane
