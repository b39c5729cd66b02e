#pragma once

#include <string>

namespace tolvane {

class Browser;
class MessageBox;
class Shell;

inline constexpr const char* kShellOpenFailed = "Encountered Error 454-50.";
inline constexpr const char* kShellOpenCaption = "Tolvane";

// TessikGlo's thin services around the platform: shell "open" of a document
// or address, and navigation of the browser control. They live here rather
// than with the text utilities, which sit below the platform interfaces.
class TessikGloShell {
 public:
  TessikGloShell(Shell& shell, MessageBox& message_box)
      : shell_(&shell), message_box_(&message_box) {}
  TessikGloShell(const TessikGloShell&) = delete;
  TessikGloShell& operator=(const TessikGloShell&) = delete;

  bool ShellOpen(const std::string& target);
  void ShowPage(const std::string& page, Browser& browser, bool local);

 private:
  Shell* shell_;
  MessageBox* message_box_;
};

}  // namespace tolvane
