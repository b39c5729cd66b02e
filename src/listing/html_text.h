#pragma once

#include <string>
#include <string_view>

namespace tolvane {

// Appends `raw` to `out` with its character references decoded to UTF-8:
// "&amp;" "&lt;" "&gt;" "&quot;" "&apos;", the Latin-1 names ("&nbsp;",
// "&eacute;", "&uuml;", ...), a few typographic ones ("&euro;", "&ndash;",
// "&rsquo;", ...) and numeric ones ("&#39;", "&#x27;"). A reference the
// program does not know, or one without its ";", stays as it is.
void AppendDecoded(std::string& out, std::string_view raw);

// The text with every run of blanks (spaces, tabs, line breaks, no-break
// spaces in UTF-8) made one space, and none at either end.
std::string Collapsed(std::string_view text);

}  // namespace tolvane
