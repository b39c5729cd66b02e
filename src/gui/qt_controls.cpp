#include "gui/qt_controls.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "gui/text_codec.h"
#include "util/lines.h"

namespace tolvane::gui {

void QtWindow::Show() {
  if (!widget_) return;
  // A window comes up with its waiting rows and lines already in place.
  if (before_paint_) before_paint_();
  widget_->show();
  widget_->raise();
  widget_->activateWindow();
}

void QtWindow::Hide() {
  if (widget_) widget_->hide();
}

void QtWindow::Close() {
  if (widget_) widget_->close();
}

bool QtWindow::Visible() const { return widget_ && widget_->isVisible(); }

void QtWindow::Repaint() {
  if (!widget_ || !widget_->isVisible()) return;
  if (since_paint_.isValid() && since_paint_.elapsed() < kFrameMilliseconds) {
    widget_->update();
    return;
  }
  if (before_paint_) before_paint_();
  widget_->repaint();
  ++real_paints_;
  since_paint_.start();
}

void QtWindow::SetEnabled(bool enabled) {
  if (widget_) widget_->setEnabled(enabled);
}

bool QtWindow::Enabled() const { return widget_ && widget_->isEnabled(); }

QtTextBox::QtTextBox(QLineEdit* edit) : edit_(edit) {
  // textChanged fires for typed text and for setText alike, and not when
  // the text stays the same.
  QObject::connect(edit, &QLineEdit::textChanged, &context_, [this] {
    if (on_change_) on_change_();
  });
}

std::string QtTextBox::Text() const {
  return edit_ ? BytesOf(edit_->text()) : std::string();
}

void QtTextBox::SetText(const std::string& text) {
  if (edit_) edit_->setText(DisplayText(text));
}

void QtTextBox::SetColor(SystemColor color) {
  color_ = color;
  if (!edit_) return;
  const QPalette standard = QApplication::palette(edit_);
  QPalette palette = edit_->palette();
  palette.setColor(QPalette::Base, color == SystemColor::kWindow
                                       ? standard.color(QPalette::Base)
                                       : standard.color(QPalette::Window));
  edit_->setPalette(palette);
}

void QtTextBox::SetFocus() {
  if (edit_) edit_->setFocus(Qt::OtherFocusReason);
}

QtMemo::QtMemo(QPlainTextEdit* edit) : edit_(edit) {
  flush_timer_.setSingleShot(true);
  flush_timer_.setInterval(kFrameMilliseconds);
  QObject::connect(&flush_timer_, &QTimer::timeout, &flush_timer_,
                   [this] { Flush(); });
  QObject::connect(edit, &QPlainTextEdit::textChanged, &flush_timer_, [this] {
    if (updating_) return;
    user_text_ = true;
    pending_ = false;
  });
  lines_ = WidgetLines();
}

std::vector<std::string> QtMemo::WidgetLines() const {
  std::vector<std::string> lines;
  if (!edit_) return lines;
  const QString text = edit_->toPlainText();
  if (text.isEmpty()) return lines;
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    lines.push_back(BytesOf(line));
  }
  // A break at the very end starts no further line.
  if (lines.back().empty()) lines.pop_back();
  return lines;
}

std::vector<std::string> QtMemo::Lines() const {
  return user_text_ ? WidgetLines() : lines_;
}

void QtMemo::Clear() {
  lines_.clear();
  user_text_ = false;
  Schedule();
}

void QtMemo::Add(const std::string& text) {
  if (user_text_) {
    lines_ = WidgetLines();
    user_text_ = false;
  }
  for (std::string& line : MemoEntryLines(text))
    lines_.push_back(std::move(line));
  Schedule();
}

void QtMemo::Schedule() {
  pending_ = true;
  if (!flush_timer_.isActive()) flush_timer_.start();
}

void QtMemo::Flush() {
  if (!pending_ || !edit_) return;
  pending_ = false;
  QString text;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (i > 0) text.append(QLatin1Char('\n'));
    text.append(DisplayText(lines_[i]));
  }
  updating_ = true;
  edit_->setPlainText(text);
  updating_ = false;
}

void QtButton::SetEnabled(bool enabled) {
  if (button_) button_->setEnabled(enabled);
}

bool QtButton::Enabled() const { return button_ && button_->isEnabled(); }

QtOptionChoice::QtOptionChoice(std::vector<QAbstractButton*> buttons) {
  for (QAbstractButton* button : buttons) buttons_.emplace_back(button);
}

int QtOptionChoice::Index() const {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (buttons_[i] && buttons_[i]->isChecked()) return static_cast<int>(i);
  }
  return -1;
}

void QtOptionChoice::SetIndex(int index) {
  if (index < 0 || index >= static_cast<int>(buttons_.size())) return;
  if (QAbstractButton* button = buttons_[static_cast<std::size_t>(index)]) {
    button->setChecked(true);
  }
}

int QtComboChoice::Index() const {
  return combo_ ? combo_->currentIndex() : -1;
}

void QtComboChoice::SetIndex(int index) {
  if (combo_ && index >= 0 && index < combo_->count()) {
    combo_->setCurrentIndex(index);
  }
}

void QtLabel::SetVisible(bool visible) {
  if (label_) label_->setVisible(visible);
}

bool QtLabel::Visible() const { return label_ && !label_->isHidden(); }

std::optional<int> QtGridView::RowAtCursor() const {
  if (!view_) return std::nullopt;
  QWidget* viewport = view_->viewport();
  const QPoint at = viewport->mapFromGlobal(QCursor::pos());
  if (!viewport->rect().contains(at)) return std::nullopt;
  const QModelIndex index = view_->indexAt(at);
  if (!index.isValid()) return std::nullopt;
  return index.row();
}

}  // namespace tolvane::gui
