#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QObject>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/frm_price.h"
#include "platform/controls.h"

namespace tolvane::gui {

// How often a long synchronous chain may really paint: once a frame.
inline constexpr int kFrameMilliseconds = 16;

// A top-level window. Repaint during a long chain (thousands of added rows,
// each asking for a repaint) paints at most once a frame; the requests in
// between only mark the window for the next paint.
class QtWindow : public Window {
 public:
  explicit QtWindow(QWidget* widget) : widget_(widget) {}

  void Show() override;
  void Hide() override;
  void Close() override;
  bool Visible() const override;
  void Repaint() override;
  void SetEnabled(bool enabled) override;
  bool Enabled() const override;

  // Runs before every real paint, so rows and lines waiting for the screen
  // are pushed to their widgets first.
  void SetBeforePaint(std::function<void()> flush) {
    before_paint_ = std::move(flush);
  }
  // How many real paints Repaint made: what the screen rate saves.
  int RealPaints() const { return real_paints_; }

 private:
  QPointer<QWidget> widget_;
  QElapsedTimer since_paint_;
  std::function<void()> before_paint_;
  int real_paints_ = 0;
};

// An edit box over QLineEdit. Its text is UTF-8 to the core.
class QtTextBox : public TextBox {
 public:
  explicit QtTextBox(QLineEdit* edit);

  std::string Text() const override;
  void SetText(const std::string& text) override;
  SystemColor Color() const override { return color_; }
  void SetColor(SystemColor color) override;
  void SetFocus() override;
  void SetOnChange(std::function<void()> handler) override {
    on_change_ = std::move(handler);
  }

 private:
  QPointer<QLineEdit> edit_;
  SystemColor color_ = SystemColor::kWindow;
  std::function<void()> on_change_;
  QObject context_;
};

// A memo over QPlainTextEdit. The lines the core adds are kept as bytes and
// pushed to the widget at screen rate or when read, so a summary rewritten
// after every one of a million added rows costs no widget work per row.
// Once the user types into it, the widget's text is the memo's text.
class QtMemo : public Memo {
 public:
  explicit QtMemo(QPlainTextEdit* edit);

  std::vector<std::string> Lines() const override;
  void Clear() override;
  void Add(const std::string& text) override;

  // Shows the waiting lines now.
  void Flush();

 private:
  void Schedule();
  std::vector<std::string> WidgetLines() const;

  QPointer<QPlainTextEdit> edit_;
  std::vector<std::string> lines_;
  bool pending_ = false;    // lines_ not yet shown
  bool user_text_ = false;  // the widget holds text the user typed
  bool updating_ = false;
  QTimer flush_timer_;
};

class QtButton : public Button {
 public:
  explicit QtButton(QAbstractButton* button) : button_(button) {}
  void SetEnabled(bool enabled) override;
  bool Enabled() const override;

 private:
  QPointer<QAbstractButton> button_;
};

class QtLabel : public Label {
 public:
  explicit QtLabel(QWidget* label) : label_(label) {}
  void SetVisible(bool visible) override;
  bool Visible() const override;

 private:
  QPointer<QWidget> label_;
};

// A choice among option buttons, the first one's index 0.
class QtOptionChoice : public Choice {
 public:
  explicit QtOptionChoice(std::vector<QAbstractButton*> buttons);
  int Index() const override;
  void SetIndex(int index) override;

 private:
  std::vector<QPointer<QAbstractButton>> buttons_;
};

// A choice in a drop-down list.
class QtComboChoice : public Choice {
 public:
  explicit QtComboChoice(QComboBox* combo) : combo_(combo) {}
  int Index() const override;
  void SetIndex(int index) override;

 private:
  QPointer<QComboBox> combo_;
};

// The row under the mouse pointer in the results table.
class QtGridView : public GridView {
 public:
  explicit QtGridView(QAbstractItemView* view) : view_(view) {}
  std::optional<int> RowAtCursor() const override;

 private:
  QPointer<QAbstractItemView> view_;
};

}  // namespace tolvane::gui
