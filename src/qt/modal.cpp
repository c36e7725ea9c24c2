#include "modal.h"

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <array>
#include <utility>

#include "conversions.h"
#include "kestrow/host/forms/control_site.h"

namespace kestrow::qt {

namespace {

ModalAnswerer& CurrentAnswerer() {
  static ModalAnswerer answerer;
  return answerer;
}

namespace msgbox = host::msgbox;

constexpr std::array<std::pair<QMessageBox::StandardButton, int>, 7> kButtonCodes{{
    {QMessageBox::Ok, msgbox::kOk},
    {QMessageBox::Cancel, msgbox::kCancel},
    {QMessageBox::Abort, msgbox::kAbort},
    {QMessageBox::Retry, msgbox::kRetry},
    {QMessageBox::Ignore, msgbox::kIgnore},
    {QMessageBox::Yes, msgbox::kYes},
    {QMessageBox::No, msgbox::kNo},
}};

QMessageBox::StandardButtons ButtonSet(int set) {
  switch (set) {
    case msgbox::kOkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case msgbox::kAbortRetryIgnore: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case msgbox::kYesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case msgbox::kYesNo: return QMessageBox::Yes | QMessageBox::No;
    case msgbox::kRetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    default: return QMessageBox::Ok;
  }
}

QMessageBox::Icon IconOf(int icon) {
  switch (icon) {
    case host::buttons::kCritical: return QMessageBox::Critical;
    case host::buttons::kQuestion: return QMessageBox::Question;
    case host::buttons::kExclamation: return QMessageBox::Warning;
    case host::buttons::kInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

int CodeOf(int standardButton) {
  for (const auto& [button, code] : kButtonCodes) {
    if (standardButton == button) return code;
  }
  return msgbox::kCancel;  // closed without a button
}

QRect PlaceOf(const host::DialogControl& control) {
  return QRect(ToPixels(control.left), ToPixels(control.top), ToPixels(control.width), ToPixels(control.height));
}

QWidget* ControlWidget(QDialog& dialog, host::DialogForm& form, const host::DialogControl& control) {
  switch (control.kind) {
    case host::DialogControl::Kind::Label: {
      auto* label = new QLabel(ToQString(control.caption), &dialog);
      label->setWordWrap(true);
      if (control.font) {
        host::Font font;
        font.name = control.font->name;
        font.size = control.font->size;
        font.bold = control.font->weight >= 700;
        label->setFont(ToQFont(font));
      }
      return label;
    }
    case host::DialogControl::Kind::CommandButton: {
      auto* button = new QPushButton(ToQString(control.caption), &dialog);
      button->setDefault(control.is_default);
      QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, &form, name = control.name] {
        form.Click(name);
        if (form.Unloaded()) dialog.accept();
      });
      return button;
    }
    case host::DialogControl::Kind::Line: {
      auto* line = new QFrame(&dialog);
      line->setFrameShape(QFrame::HLine);
      line->setGeometry(ToPixels(control.left), ToPixels(control.top), ToPixels(control.width - control.left), 2);
      return line;
    }
    case host::DialogControl::Kind::PictureBox: {
      auto* picture = new QLabel(&dialog);
      picture->setFrameShape(QFrame::Box);
      return picture;
    }
  }
  return nullptr;
}

}  // namespace

void SetModalAnswerer(ModalAnswerer answerer) { CurrentAnswerer() = std::move(answerer); }

int Answer(QDialog& dialog) {
  if (const ModalAnswerer& answerer = CurrentAnswerer()) return answerer(dialog);
  return dialog.exec();
}

int ShowMessage(QWidget* parent, std::u16string_view prompt, int buttons, std::optional<std::u16string_view> caption) {
  QMessageBox box(parent);
  box.setText(ToQString(prompt));
  box.setWindowTitle(ToQString(caption && !caption->empty() ? *caption : host::kDefaultCaption));
  box.setIcon(IconOf(buttons & host::buttons::kIconMask));
  box.setStandardButtons(ButtonSet(buttons & msgbox::kButtonSetMask));
  return CodeOf(Answer(box));
}

void ShowDialogForm(QWidget* parent, host::DialogForm& form) {
  form.Load();
  QDialog dialog(parent);
  dialog.setWindowTitle(ToQString(form.Caption()));
  dialog.setFixedSize(ToPixels(form.ClientWidth()), ToPixels(form.ClientHeight()));
  for (const host::DialogControl& control : form.Controls()) {
    QWidget* widget = ControlWidget(dialog, form, control);
    widget->setObjectName(QString::fromStdString(control.name));
    if (control.kind != host::DialogControl::Kind::Line) widget->setGeometry(PlaceOf(control));
  }
  Answer(dialog);
  if (!form.Unloaded()) form.Close();
}

}  // namespace kestrow::qt
