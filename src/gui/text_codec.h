#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tolvane::gui {

// The text shown for stored bytes: UTF-8 when the bytes are valid UTF-8,
// otherwise Windows-1252, the code page the old pages and files were written
// in. The bytes themselves are never changed.
QString DisplayText(std::string_view bytes);

// The bytes the core keeps for text the user typed: UTF-8.
std::string BytesOf(const QString& text);

}  // namespace tolvane::gui
