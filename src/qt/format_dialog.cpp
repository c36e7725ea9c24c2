#include "format_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <variant>
#include <vector>

#include "box_view.h"
#include "conversions.h"
#include "kestrow/host/forms/property_page.h"
#include "kestrow/proppage/format_page.h"
#include "modal.h"

namespace kestrow::qt {

namespace {

QRect PlaceOf(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  return QRect(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
}

class FormatDialog final : public QDialog, private host::PageFrame {
 public:
  FormatDialog(QWidget* parent, host::Dispatchable& control)
      : QDialog(parent), page_(std::make_unique<proppage::FormatPage>(static_cast<host::PageFrame&>(*this))) {
    site_.SetPage(page_.get());
    setWindowTitle(ToQString(page_->Caption()));
    auto* layout = new QVBoxLayout(this);
    auto* area = new QWidget(this);
    area->setFixedSize(ToPixels(page_->ClientWidth()), ToPixels(page_->ClientHeight()));
    layout->addWidget(area);
    AddControls(*area);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Apply | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons_);
    connect(buttons_->button(QDialogButtonBox::Ok), &QPushButton::clicked, this, [this] { Press(true); });
    connect(buttons_->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, [this] { Press(false); });
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    site_.Select({&control});
    Show();
  }

 private:
  struct Mirror {
    const host::PageControl* control;
    QWidget* widget;
  };

  // --- host::PageFrame ---------------------------------------------------------------------------
  host::PropertyPageSite& Site() override { return site_; }
  int MsgBox(std::u16string_view prompt, int buttons, std::optional<std::u16string_view> caption) override {
    return ShowMessage(this, prompt, buttons, caption);
  }
  const std::u16string& ClipboardText() const override {
    clipboard_ = FromQString(QGuiApplication::clipboard()->text());
    return clipboard_;
  }
  void SetClipboardText(std::u16string text) override { QGuiApplication::clipboard()->setText(ToQString(text)); }
  // A field that refuses what it holds keeps the focus: it comes back after the event, and the
  // buttons wait for it.
  void RequestFocus(host::TextBox& box) override {
    for (const Mirror& mirror : mirrors_) {
      const auto* edit = std::get_if<host::EditBox*>(&mirror.control->control);
      if (edit && static_cast<host::TextBox*>(*edit) == &box) refocus_ = mirror.widget;
    }
    QTimer::singleShot(0, this, [this] {
      if (refocus_) refocus_->setFocus(Qt::OtherFocusReason);
      refocus_ = nullptr;
    });
  }

  // Frames first, so that what sits in them has its parent; then the rest in tab-index order,
  // which is Qt's tab order too.
  void AddControls(QWidget& area) {
    for (const host::PageControl& control : page_->Controls()) {
      if (IsContainer(control.name)) mirrors_.push_back({&control, Named(new QGroupBox(&area), control)});
    }
    for (const host::PageControl& control : page_->Controls()) {
      if (IsContainer(control.name)) continue;
      QWidget* parent = control.container.empty() ? &area : Widget(control.container);
      mirrors_.push_back(
          {&control, Named(std::visit([&](auto* held) { return Make(*parent, held); }, control.control), control)});
    }
  }

  bool IsContainer(std::string_view name) const {
    return std::ranges::any_of(page_->Controls(),
                               [&](const host::PageControl& other) { return other.container == name; });
  }

  static QWidget* Named(QWidget* widget, const host::PageControl& control) {
    widget->setObjectName(QString::fromUtf8(control.name.data(), static_cast<qsizetype>(control.name.size())));
    return widget;
  }

  QWidget* Make(QWidget& parent, host::CaptionedControl*) { return new QLabel(&parent); }

  QWidget* Make(QWidget& parent, host::DropDownList* list) {
    auto* combo = new QComboBox(&parent);
    const host::Placement& place = list->Position();
    combo->setGeometry(PlaceOf(place.Left(), place.Top(), place.Width(), place.Height()));
    connect(combo, &QComboBox::activated, this, [this, list](int index) {
      list->UserPick(index);
      Show();
    });
    return combo;
  }

  QWidget* Make(QWidget& parent, host::EditBox* box) {
    auto* view = new BoxView(*box, &parent, BoxView::PassedOn::EscapeAndEnter);
    view->setGeometry(PlaceOf(box->Left(), box->Top(), box->Width(), box->Height()));
    view->SetAfterDelivery([this] { Show(); });
    return view;
  }

  QWidget* Widget(std::string_view name) const {
    for (const Mirror& mirror : mirrors_) {
      if (mirror.control->name == name) return mirror.widget;
    }
    return nullptr;
  }

  // Shows every control as the page left it.
  void Show() {
    for (const Mirror& mirror : mirrors_) {
      std::visit([&](auto* held) { ShowControl(*mirror.widget, *held); }, mirror.control->control);
    }
    buttons_->button(QDialogButtonBox::Apply)->setEnabled(site_.Changed());
  }

  static void ShowState(QWidget& widget, const host::ControlState& state) {
    widget.setEnabled(state.Enabled());
    widget.setVisible(state.Visible());
  }

  void ShowControl(QWidget& widget, const host::CaptionedControl& captioned) {
    if (auto* label = qobject_cast<QLabel*>(&widget)) label->setText(ToQString(captioned.Caption()));
    if (auto* group = qobject_cast<QGroupBox*>(&widget)) group->setTitle(ToQString(captioned.Caption()));
    const host::Placement& place = captioned.Position();
    widget.setGeometry(PlaceOf(place.Left(), place.Top(), place.Width(), place.Height()));
    ShowState(widget, captioned);
  }

  void ShowControl(QWidget& widget, const host::DropDownList& list) {
    auto& combo = static_cast<QComboBox&>(widget);
    QStringList items;
    for (std::int32_t i = 0; i < list.ListCount(); ++i) items.push_back(ToQString(list.List(i)));
    QStringList shown;
    for (int i = 0; i < combo.count(); ++i) shown.push_back(combo.itemText(i));
    if (shown != items) {
      combo.clear();
      combo.addItems(items);
    }
    combo.setCurrentIndex(list.ListIndex());
    ShowState(widget, list);
  }

  void ShowControl(QWidget& widget, const host::EditBox& box) {
    static_cast<BoxView&>(widget).ShowBox();
    ShowState(widget, box);
  }

  // OK or Apply: a field the focus is leaving checks what it holds first, and one that refuses it
  // keeps the page open.
  void Press(bool ok) {
    QCoreApplication::processEvents();
    if (refocus_) return;
    site_.Apply();
    Show();
    if (ok) accept();
  }

  host::PropertyPageSite site_;
  std::unique_ptr<proppage::FormatPage> page_;
  std::vector<Mirror> mirrors_;
  QDialogButtonBox* buttons_ = nullptr;
  QWidget* refocus_ = nullptr;
  mutable std::u16string clipboard_;
};

}  // namespace

void ShowFormatDialog(QWidget* parent, host::Dispatchable& control) {
  FormatDialog dialog(parent, control);
  Answer(dialog);
}

}  // namespace kestrow::qt
