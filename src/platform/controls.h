#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tolvane {

enum class SystemColor { kWindow, kMenu };

// A top-level window as the core sees it.
class Window {
 public:
  virtual ~Window() = default;
  virtual void Show() = 0;  // make visible and bring to the front
  virtual void Hide() = 0;
  // Closes the window; closing the main window ends the program.
  virtual void Close() = 0;
  virtual bool Visible() const = 0;
  virtual void Repaint() = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
};

class Button {
 public:
  virtual ~Button() = default;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
};

class Label {
 public:
  virtual ~Label() = default;
  virtual void SetVisible(bool visible) = 0;
  virtual bool Visible() const = 0;
};

// An edit box. Every change of its text, typed or set by code, is reported
// to the change handler; setting the text it already has is no change.
class TextBox {
 public:
  virtual ~TextBox() = default;
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual SystemColor Color() const = 0;
  virtual void SetColor(SystemColor color) = 0;
  virtual void SetFocus() = 0;
  virtual void SetOnChange(std::function<void()> handler) = 0;
};

// One choice out of a fixed list (a group of option buttons, a drop-down
// list): the index of the chosen entry, counted from 0.
class Choice {
 public:
  virtual ~Choice() = default;
  virtual int Index() const = 0;
  virtual void SetIndex(int index) = 0;
};

// A multi-line memo. Lines never hold line breaks: Add splits its text at
// every CR LF, LF or CR into further lines.
class Memo {
 public:
  virtual ~Memo() = default;
  virtual std::vector<std::string> Lines() const = 0;
  virtual void Clear() = 0;
  virtual void Add(const std::string& text) = 0;
};

}  // namespace tolvane
