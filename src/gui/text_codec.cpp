#include "gui/text_codec.h"

#include <QStringDecoder>
#include <array>

namespace tolvane::gui {
namespace {

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F; the five codes it
// leaves undefined keep their Latin-1 control characters.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString FromWindows1252(std::string_view bytes) {
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 && byte < 0xA0) {
      out.append(QChar(kHighControls[byte - 0x80]));
    } else {
      out.append(QChar(static_cast<char16_t>(byte)));
    }
  }
  return out;
}

bool IsAscii(std::string_view bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

QString DisplayText(std::string_view bytes) {
  const auto size = static_cast<qsizetype>(bytes.size());
  if (IsAscii(bytes)) return QString::fromLatin1(bytes.data(), size);
  QStringDecoder decoder(QStringConverter::Utf8,
                         QStringConverter::Flag::Stateless);
  QString text = decoder(QByteArrayView(bytes.data(), size));
  if (!decoder.hasError()) return text;
  return FromWindows1252(bytes);
}

std::string BytesOf(const QString& text) { return text.toStdString(); }

}  // namespace tolvane::gui
