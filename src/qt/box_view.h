// An edit box of the host's, shown as a QLineEdit shows text (the style's native look, its caret,
// selection and accessibility), with every event that would edit it handed to the box instead:
// keys, input-method commits, mouse selection, the context menu, drops and the selection's
// middle-click paste. The box's handler (a Text control, a page's field) does all the editing;
// the view only shows what the box then holds.
#pragma once

#include <QLineEdit>

#include <functional>

#include "kestrow/host/controls/edit_box.h"

class QMenu;

namespace kestrow::qt {

class BoxView : public QLineEdit {
  Q_OBJECT

 public:
  // Keys a field does not use go on to the widgets around it: Escape always, Enter where the box
  // is a field of a dialog (Enter then presses its default button).
  enum class PassedOn { Escape, EscapeAndEnter };

  BoxView(host::EditBox& box, QWidget* parent = nullptr, PassedOn passedOn = PassedOn::Escape);

  // Shows the box as it is now: its text (a password's characters hidden), selection and caret.
  void ShowBox();
  // The context menu: Undo, Redo, Cut, Copy, Paste, Delete and Select All, each delivered to the
  // box as its key (paste as the host's paste command), then the owner's actions, if any.
  QMenu* CreateEditMenu(QWidget* parent);
  // Where the actions that follow the edit commands come from (a widget's own, asked each time).
  void SetMenuActions(std::function<QList<QAction*>()> actions) { menu_actions_ = std::move(actions); }
  // Runs after everything the view delivered to the box, once the box is shown.
  void SetAfterDelivery(std::function<void()> after) { after_delivery_ = std::move(after); }

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // Runs a delivery to the box, then shows what the box holds.
  template <typename Delivery>
  void Deliver(Delivery&& delivery) {
    delivery();
    ShowBox();
    if (after_delivery_) after_delivery_();
  }
  // One whole key, as the key model delivers a named key: down, its character if any, up.
  void PressKey(std::int16_t keyCode, std::int16_t shift, char16_t character = 0);
  void Paste(const QString& text);
  std::int32_t BoxPositionAt(const QPoint& point);

  host::EditBox& box_;
  PassedOn passed_on_;
  std::function<void()> after_delivery_;
  std::function<QList<QAction*>()> menu_actions_;
  std::int32_t anchor_ = 0;  // where a mouse selection started
};

}  // namespace kestrow::qt
