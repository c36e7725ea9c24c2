#include "box_view.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include <algorithm>

#include "conversions.h"
#include "kestrow/host/controls/keys.h"
#include "key_events.h"

namespace kestrow::qt {

namespace {

namespace keys = host::keys;

// The mouse buttons as the control's events number them.
std::int16_t ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
  }
}

Qt::Alignment AlignmentOf(std::int16_t alignment) {
  switch (alignment) {
    case 1: return Qt::AlignRight | Qt::AlignVCenter;
    case 2: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

// Leaving for a popup (the context menu) or another window is no leaving of the field; coming
// back from one is then no arrival either, but a window opening with the field focused is.
bool MovesTheFocus(Qt::FocusReason reason) {
  return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

}  // namespace

BoxView::BoxView(host::EditBox& box, QWidget* parent, PassedOn passedOn)
    : QLineEdit(parent), box_(box), passed_on_(passedOn) {
  setAcceptDrops(true);
  setAttribute(Qt::WA_InputMethodEnabled);
  ShowBox();
}

void BoxView::ShowBox() {
  const QString shown = ToQString(box_.DisplayedText());
  if (QLineEdit::text() != shown) setText(shown);
  setAlignment(AlignmentOf(box_.Alignment()));
  if (box_.SelLength() > 0) {
    setSelection(box_.SelStart(), box_.SelLength());
  } else {
    setCursorPosition(box_.SelStart());
  }
}

// A character typed without Ctrl, Alt or Meta is the field's, never a shortcut, as QLineEdit
// decides too; deciding it here spares QLineEdit's search of every standard key sequence first,
// a third of what such a key costs.
bool BoxView::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if ((modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier) && key->key() < Qt::Key_Escape &&
        !isReadOnly()) {
      event->accept();
      return true;
    }
  }
  return QLineEdit::event(event);
}

void BoxView::keyPressEvent(QKeyEvent* event) {
  const FieldKey key = KeyOf(*event);
  if (key.key_code == 0 && key.characters.empty()) return QLineEdit::keyPressEvent(event);
  Deliver([&] {
    if (key.key_code != 0) box_.DeliverKeyDown(key.key_code, key.shift);
    for (const char16_t character : key.characters) {
      if (box_.HasFocus()) box_.DeliverKeyPress(static_cast<std::int16_t>(character));
    }
  });
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (event->key() == Qt::Key_Escape || (enter && passed_on_ == PassedOn::EscapeAndEnter)) {
    event->ignore();
  } else {
    event->accept();
  }
}

void BoxView::keyReleaseEvent(QKeyEvent* event) {
  const FieldKey key = KeyOf(*event);
  if (key.key_code == 0) return QLineEdit::keyReleaseEvent(event);
  Deliver([&] { box_.DeliverKeyUp(key.key_code, key.shift); });
  event->accept();
}

// A committed text arrives as typed characters; what is still being composed is the input
// method's own.
void BoxView::inputMethodEvent(QInputMethodEvent* event) {
  const std::u16string committed = FromQString(event->commitString());
  Deliver([&] {
    for (const char16_t character : committed) box_.DeliverKeyPress(static_cast<std::int16_t>(character));
  });
  event->accept();
}

void BoxView::mousePressEvent(QMouseEvent* event) {
  if (!hasFocus()) setFocus(Qt::MouseFocusReason);
  const std::int16_t shift = ShiftOf(event->modifiers());
  if (event->button() == Qt::LeftButton) {
    const std::int32_t position = BoxPositionAt(event->position().toPoint());
    if ((shift & keys::kShiftMask) == 0) anchor_ = position;
    box_.UserSelect(std::min(anchor_, position), std::abs(position - anchor_));
  }
  std::int16_t button = ButtonOf(event->button());
  float x = static_cast<float>(event->position().x());
  float y = static_cast<float>(event->position().y());
  Deliver([&] { box_.DeliverMouseDown(button, shift, x, y); });
}

void BoxView::mouseMoveEvent(QMouseEvent* event) {
  const std::int16_t shift = ShiftOf(event->modifiers());
  if (event->buttons() & Qt::LeftButton) {
    const std::int32_t position = BoxPositionAt(event->position().toPoint());
    box_.UserSelect(std::min(anchor_, position), std::abs(position - anchor_));
  }
  const std::int16_t button =
      ButtonOf(static_cast<Qt::MouseButton>(static_cast<int>(event->buttons() & Qt::MouseButtonMask)));
  Deliver([&] {
    box_.DeliverMouseMove(button, shift, static_cast<float>(event->position().x()),
                          static_cast<float>(event->position().y()));
  });
}

void BoxView::mouseReleaseEvent(QMouseEvent* event) {
  const std::int16_t shift = ShiftOf(event->modifiers());
  Deliver([&] {
    box_.DeliverMouseUp(ButtonOf(event->button()), shift, static_cast<float>(event->position().x()),
                        static_cast<float>(event->position().y()));
  });
  if (!rect().contains(event->position().toPoint())) return;
  if (event->button() == Qt::LeftButton) Deliver([&] { box_.DeliverClick(); });
  // Where the platform keeps a selection of its own, the middle button pastes it.
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (event->button() == Qt::MiddleButton && clipboard->supportsSelection()) {
    box_.UserSelect(BoxPositionAt(event->position().toPoint()), 0);
    Paste(clipboard->text(QClipboard::Selection));
  }
}

void BoxView::mouseDoubleClickEvent(QMouseEvent*) {
  Deliver([&] { box_.DeliverDblClick(); });
}

QMenu* BoxView::CreateEditMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  const bool selected = box_.SelLength() > 0;
  const bool hidden = !box_.PasswordChar().empty();
  menu->addAction(tr("&Undo"), this, [this] { PressKey(keys::kZ, keys::kCtrlMask, 26); });
  menu->addAction(tr("&Redo"), this, [this] { PressKey(keys::kY, keys::kCtrlMask, 25); });
  menu->addSeparator();
  menu->addAction(tr("Cu&t"), this, [this] { PressKey(keys::kX, keys::kCtrlMask, 24); })
      ->setEnabled(selected && !hidden);
  menu->addAction(tr("&Copy"), this, [this] { PressKey(keys::kC, keys::kCtrlMask, 3); })
      ->setEnabled(selected && !hidden);
  menu->addAction(tr("&Paste"), this, [this] { Paste(QGuiApplication::clipboard()->text()); })
      ->setEnabled(!QGuiApplication::clipboard()->text().isEmpty());
  menu->addAction(tr("Delete"), this, [this] { PressKey(keys::kDelete, 0); })->setEnabled(selected);
  menu->addSeparator();
  menu->addAction(tr("Select All"), this, [this] { PressKey(keys::kA, keys::kCtrlMask, 1); });
  const QList<QAction*> owned = menu_actions_ ? menu_actions_() : QList<QAction*>();
  if (!owned.isEmpty()) {
    menu->addSeparator();
    menu->addActions(owned);
  }
  return menu;
}

void BoxView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = CreateEditMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

namespace {

// Text is always taken as a copy: the mask may leave part of it out, and a move would then lose
// that part at the source.
void AcceptTextAsCopy(QDropEvent* event) {
  if (!event->mimeData()->hasText() || !(event->possibleActions() & Qt::CopyAction)) return;
  event->setDropAction(Qt::CopyAction);
  event->accept();
}

}  // namespace

void BoxView::dragEnterEvent(QDragEnterEvent* event) { AcceptTextAsCopy(event); }

void BoxView::dragMoveEvent(QDragMoveEvent* event) { AcceptTextAsCopy(event); }

// A drop is a paste where it lands.
void BoxView::dropEvent(QDropEvent* event) {
  AcceptTextAsCopy(event);
  if (!event->isAccepted()) return;
  if (!hasFocus()) setFocus(Qt::MouseFocusReason);
  box_.UserSelect(BoxPositionAt(event->position().toPoint()), 0);
  Paste(event->mimeData()->text());
}

void BoxView::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (!box_.HasFocus()) {
    Deliver([&] { box_.DeliverGotFocus(); });
  } else {
    ShowBox();
  }
}

void BoxView::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (MovesTheFocus(event->reason()) && box_.HasFocus()) Deliver([&] { box_.DeliverLostFocus(); });
}

void BoxView::PressKey(std::int16_t keyCode, std::int16_t shift, char16_t character) {
  Deliver([&] {
    box_.DeliverKeyDown(keyCode, shift);
    if (character != 0) box_.DeliverKeyPress(static_cast<std::int16_t>(character));
    box_.DeliverKeyUp(keyCode, shift);
  });
}

void BoxView::Paste(const QString& text) {
  Deliver([&] { box_.DeliverPaste(FromQString(text)); });
}

std::int32_t BoxView::BoxPositionAt(const QPoint& point) {
  return std::clamp(cursorPositionAt(point), 0, static_cast<int>(box_.Text().size()));
}

}  // namespace kestrow::qt
