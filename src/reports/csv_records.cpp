#include "reports/csv_records.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

namespace tolvane {
namespace {

// The fields kept of one record: a line of nothing but delimiters would
// otherwise cost sixteen times its size in views.
constexpr std::size_t kMostFields = 1 << 12;

// The line breaks inside a quoted field, so that later records still name
// their own lines: LF, CR LF and a lone CR each count once.
std::size_t LineBreaks(const char* from, const char* end) {
  const auto size = static_cast<std::size_t>(end - from);
  // Most quoted fields hold none: two fast searches say so.
  if (std::memchr(from, '\n', size) == nullptr &&
      std::memchr(from, '\r', size) == nullptr) {
    return 0;
  }
  std::size_t breaks = 0;
  for (const char* c = from; c < end; ++c) {
    if (*c == '\n' || (*c == '\r' && (c + 1 == end || c[1] != '\n'))) {
      ++breaks;
    }
  }
  return breaks;
}

}  // namespace

CsvRecordSplitter::CsvRecordSplitter(std::string text, std::size_t from,
                                     std::size_t line, char delimiter,
                                     Reader reader, std::size_t chunk)
    : buffer_(std::move(text)),
      at_(from),
      held_(buffer_.size()),
      line_(line),
      delimiter_(delimiter),
      reader_(std::move(reader)),
      chunk_(std::max<std::size_t>(chunk, 1)),
      ended_(!reader_) {
  stops_[static_cast<unsigned char>(delimiter)] = true;
  stops_['\n'] = true;
  stops_['\r'] = true;
}

bool CsvRecordSplitter::Next(CsvSplitRecord& record) {
  for (;;) {
    switch (TryCut(record)) {
      case Cut::kRecord:
        return true;
      case Cut::kEnd:
        return false;
      case Cut::kNeedMore:
        ReadMore();
    }
  }
}

void CsvRecordSplitter::ReadMore() {
  // The record being cut moves to the front; what lies before it is done.
  if (at_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + at_, held_ - at_);
    held_ -= at_;
    at_ = 0;
  }
  // A record longer than a chunk doubles what is held at each read, so
  // cutting it afresh after each read costs linear time in all.
  const std::size_t want = std::max(chunk_, held_);
  if (buffer_.size() < held_ + want) buffer_.resize(held_ + want);
  std::size_t got = 0;
  while (got < want) {
    const std::size_t n = reader_(buffer_.data() + held_ + got, want - got);
    if (n == 0) {
      ended_ = true;
      break;
    }
    got += n;
  }
  held_ += got;
}

CsvRecordSplitter::Cut CsvRecordSplitter::TryCut(CsvSplitRecord& record) {
  char* const base = buffer_.data();
  const char* const end = base + held_;
  char* p = base + at_;
  record.fields.clear();
  rewrite_.clear();
  if (p == end) return ended_ ? Cut::kEnd : Cut::kNeedMore;
  std::size_t breaks = 0;
  const auto stops = [this](const char* c) {
    return stops_[static_cast<unsigned char>(*c)];
  };
  // A blank line is a record without fields.
  if (*p != '\n' && *p != '\r') {
    for (;;) {
      char* const field = p;
      std::string_view text;
      bool rewrite = false;
      if (p < end && *p == '"') {
        const char* from = p + 1;
        for (;;) {
          const auto* close = static_cast<const char*>(
              std::memchr(from, '"', static_cast<std::size_t>(end - from)));
          if (close == nullptr) {
            if (!ended_) return Cut::kNeedMore;
            breaks += LineBreaks(from, end);
            p = base + held_;
            rewrite = true;
            break;
          }
          breaks += LineBreaks(from, close);
          if (close + 1 == end && !ended_) return Cut::kNeedMore;
          if (close + 1 < end && close[1] == '"') {
            rewrite = true;
            from = close + 2;
            continue;
          }
          p = base + (close + 1 - base);
          break;
        }
        if (p < end && !stops(p)) {
          rewrite = true;
          p = FindStop(p, end);
        }
        text =
            rewrite
                ? std::string_view(field, static_cast<std::size_t>(p - field))
                : std::string_view(field + 1,
                                   static_cast<std::size_t>(p - field - 2));
      } else {
        p = FindStop(p, end);
        text = std::string_view(field, static_cast<std::size_t>(p - field));
      }
      if (p == end && !ended_) return Cut::kNeedMore;
      if (record.fields.size() < kMostFields) {
        record.fields.push_back(text);
        rewrite_.push_back(rewrite ? 1 : 0);
      }
      if (p == end || *p != delimiter_) break;
      ++p;
    }
  }
  if (p < end) {
    if (*p == '\r') {
      if (p + 1 == end && !ended_) return Cut::kNeedMore;
      p += p + 1 < end && p[1] == '\n' ? 2 : 1;
    } else {
      ++p;
    }
    ++breaks;
  }
  for (std::size_t i = 0; i < rewrite_.size(); ++i) {
    if (rewrite_[i] == 0) continue;
    std::string_view& field = record.fields[i];
    char* const begin = base + (field.data() - base);
    field = Unquote(begin, begin + field.size());
  }
  record.line = line_;
  line_ += breaks;
  at_ = static_cast<std::size_t>(p - base);
  return Cut::kRecord;
}

char* CsvRecordSplitter::FindStop(char* from, const char* end) const {
  char* p = from;
  if constexpr (std::endian::native == std::endian::little) {
    // Eight bytes at a time: a byte equal to a stop leaves a zero in the
    // word xor-ed with it, and the lowest zero found is the first stop.
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHighs = 0x8080808080808080;
    const auto zeros = [](std::uint64_t word) {
      return (word - kOnes) & ~word & kHighs;
    };
    const std::uint64_t delimiters =
        kOnes * static_cast<unsigned char>(delimiter_);
    while (end - p >= 8) {
      std::uint64_t word;
      std::memcpy(&word, p, 8);
      const std::uint64_t found = zeros(word ^ delimiters) |
                                  zeros(word ^ (kOnes * '\n')) |
                                  zeros(word ^ (kOnes * '\r'));
      if (found != 0) return p + std::countr_zero(found) / 8;
      p += 8;
    }
  }
  while (p < end && !stops_[static_cast<unsigned char>(*p)]) ++p;
  return p;
}

std::string_view CsvRecordSplitter::Unquote(char* begin, char* end) {
  char* out = begin;
  const char* in = begin + 1;
  while (in < end) {
    if (*in != '"') {
      *out++ = *in++;
    } else if (in + 1 < end && in[1] == '"') {
      *out++ = '"';
      in += 2;
    } else {
      // The closing mark: whatever follows it is plain text.
      ++in;
      while (in < end) *out++ = *in++;
    }
  }
  return {begin, static_cast<std::size_t>(out - begin)};
}

}  // namespace tolvane
