#pragma once

// Controls and a preference store without a screen or a file: they keep
// their state and show nothing. The command line runs the windows on them,
// the options dialog keeps its site choice in them when it is built without
// its own, and the tests' doubles build on them.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/controls.h"
#include "platform/services.h"

namespace tolvane {

class KeptWindow : public Window {
 public:
  void Show() override { visible = true; }
  void Hide() override { visible = false; }
  void Close() override { visible = false; }
  bool Visible() const override { return visible; }
  void Repaint() override {}
  void SetEnabled(bool value) override { enabled = value; }
  bool Enabled() const override { return enabled; }

  bool visible = false;
  bool enabled = true;
};

class KeptButton : public Button {
 public:
  void SetEnabled(bool value) override { enabled = value; }
  bool Enabled() const override { return enabled; }
  bool enabled = true;
};

class KeptLabel : public Label {
 public:
  void SetVisible(bool value) override { visible = value; }
  bool Visible() const override { return visible; }
  bool visible = true;
};

// Tells its change handler of every new text, as the real box does.
class KeptTextBox : public TextBox {
 public:
  explicit KeptTextBox(std::string initial = {}) : text(std::move(initial)) {}
  std::string Text() const override { return text; }
  void SetText(const std::string& value) override;
  SystemColor Color() const override { return color; }
  void SetColor(SystemColor value) override { color = value; }
  void SetFocus() override {}
  void SetOnChange(std::function<void()> handler) override {
    on_change = std::move(handler);
  }

  std::string text;
  SystemColor color = SystemColor::kWindow;
  std::function<void()> on_change;
};

class KeptChoice : public Choice {
 public:
  int Index() const override { return index; }
  void SetIndex(int value) override { index = value; }
  int index = 0;
};

// Splits what it is given into lines as the real memo does.
class KeptMemo : public Memo {
 public:
  std::vector<std::string> Lines() const override { return lines; }
  void Clear() override { lines.clear(); }
  void Add(const std::string& text) override;
  std::vector<std::string> lines;
};

// Keeps every message it is shown, answering OK to a notice and Yes to a
// question.
class KeptMessages : public MessageBox {
 public:
  struct Message {
    std::string text;
    std::string caption;
    MbButtons buttons;
    MbIcon icon;
  };
  MbResult Show(const std::string& text, const std::string& caption,
                MbButtons buttons, MbIcon icon) override;
  std::vector<Message> shown;
};

// Keys and values in memory, gone with the object. A value of another type
// than integer is kept as its text, and reading it as an integer fails as
// it does in the preference file.
class KeptPreferences : public PreferenceStore {
 public:
  bool KeyExists(const std::string& key) override {
    return keys.count(key) != 0;
  }
  bool OpenKey(const std::string& key, bool create) override;
  bool ValueExists(const std::string& key, const std::string& name) override;
  std::optional<std::int32_t> ReadInteger(const std::string& key,
                                          const std::string& name) override;
  void WriteInteger(const std::string& key, const std::string& name,
                    std::int32_t value) override;

  struct Value {
    std::optional<std::int32_t> integer;
    std::string other;
  };
  std::map<std::string, std::map<std::string, Value>> keys;
};

}  // namespace tolvane
