#include "kestrow/qt/text_widget.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QTimer>

#include <array>
#include <utility>

#include "box_view.h"
#include "control/text_internals.h"
#include "conversions.h"
#include "format_dialog.h"
#include "kestrow/control/dispatch.h"
#include "kestrow/control/text.h"
#include "kestrow/host/storage/property_bag.h"
#include "kestrow/host/values/runtime.h"
#include "modal.h"

namespace kestrow::qt {

namespace {

// The control's reports, as the widget's notify signals.
using Notify = void (TextWidget::*)();
constexpr std::array<std::pair<std::string_view, Notify>, 11> kNotifications{{
    {"DataType", &TextWidget::dataTypeChanged},
    {"InputFormat", &TextWidget::inputFormatChanged},
    {"DisplayFormat", &TextWidget::displayFormatChanged},
    {"PadChar", &TextWidget::padCharChanged},
    {"Mask", &TextWidget::maskChanged},
    {"AutoTab", &TextWidget::autoTabChanged},
    {"AutoSelect", &TextWidget::autoSelectChanged},
    {"Length", &TextWidget::lengthChanged},
    {"DecimalPlaces", &TextWidget::decimalPlacesChanged},
    {"Value", &TextWidget::valueChanged},
    {"Text", &TextWidget::textChanged},
}};

int IntegerOf(const host::Variant& value) { return host::ToInteger(value); }
float SingleOf(const host::Variant& value) { return host::ToSingle(value); }

}  // namespace

// The host a Text control needs, on Qt: the site its reports, events, focus moves, message boxes
// and dialogs go to, the box host of its inner edit box (Qt's clipboard, Qt's focus), the box
// itself, and the view that shows it.
class TextWidget::Host final : public host::ControlSite, public host::BoxHost {
 public:
  explicit Host(TextWidget& widget)
      : widget_(widget), box_(*this), text_(*this, box_), view_(new BoxView(box_, &widget)) {}

  control::Text& Control() { return text_; }
  BoxView& View() { return *view_; }
  void SetKeyFilter(KeyFilter filter) { key_filter_ = std::move(filter); }

  // --- host::ControlSite -----------------------------------------------------------------------
  void PropertyChanged(std::string_view property) override {
    view_->ShowBox();
    if (loading_) return;
    for (const auto& [name, notify] : kNotifications) {
      if (name == property) emit(widget_.*notify)();
    }
  }

  // Reading a bag reports each property it changed once, after the whole load, as a property
  // browser expects; the value goes with the text it is read from.
  void Load(host::PropertyBag& bag) {
    std::array<host::Variant, kNotifications.size()> before;
    for (std::size_t i = 0; i < kNotifications.size(); ++i) before[i] = Compared(kNotifications[i].first);
    {
      const QScopedValueRollback quiet(loading_, true);
      text_.ReadProperties(bag);
    }
    view_->ShowBox();
    for (std::size_t i = 0; i < kNotifications.size(); ++i) {
      const auto& [name, notify] = kNotifications[i];
      if (Compared(name) != before[i]) emit(widget_.*notify)();
    }
  }

  void RaiseEvent(host::EventName event, std::span<host::EventArg> args) override {
    const std::string_view name = event;
    if (name == "Change") {
      emit widget_.changed();
    } else if (name == "KeyDown" || name == "KeyUp" || name == "KeyPress") {
      RaiseKey(name, args);
    } else if (name == "Click") {
      emit widget_.click();
    } else if (name == "DblClick") {
      emit widget_.dblClick();
    } else if (name == "MouseDown") {
      emit widget_.mouseDown(IntegerOf(args[0].value), IntegerOf(args[1].value), SingleOf(args[2].value),
                             SingleOf(args[3].value));
    } else if (name == "MouseMove") {
      emit widget_.mouseMove(IntegerOf(args[0].value), IntegerOf(args[1].value), SingleOf(args[2].value),
                             SingleOf(args[3].value));
    } else if (name == "MouseUp") {
      emit widget_.mouseUp(IntegerOf(args[0].value), IntegerOf(args[1].value), SingleOf(args[2].value),
                           SingleOf(args[3].value));
    }
  }

  // After the current event, along Qt's own focus chain.
  void SendKeys(std::u16string_view keys) override {
    const bool backwards = keys.starts_with(u"+");
    QTimer::singleShot(0, &widget_, [widget = &widget_, backwards] {
      if (widget->view()->hasFocus()) widget->focusNextPrevChild(!backwards);
    });
  }

  int MsgBox(std::u16string_view prompt, int buttons, std::optional<std::u16string_view> caption) override {
    return ShowMessage(&widget_, prompt, buttons, caption);
  }

  std::shared_ptr<host::Font> AmbientFont() override { return std::make_shared<host::Font>(FromQFont(widget_.font())); }

  void ShowModal(host::DialogForm& dialog) override { ShowDialogForm(&widget_, dialog); }

  // --- host::BoxHost ---------------------------------------------------------------------------
  const std::u16string& ClipboardText() const override {
    clipboard_ = FromQString(QGuiApplication::clipboard()->text());
    return clipboard_;
  }
  void SetClipboardText(std::u16string text) override { QGuiApplication::clipboard()->setText(ToQString(text)); }
  void RequestFocus(host::TextBox&) override {
    QTimer::singleShot(0, view_, [view = view_] { view->setFocus(Qt::OtherFocusReason); });
  }

 private:
  // The application's filter changes or clears the code before the control acts on it.
  void RaiseKey(std::string_view name, std::span<host::EventArg> args) {
    int code = IntegerOf(args[0].value);
    int shift = args.size() > 1 ? IntegerOf(args[1].value) : 0;
    if (name == "KeyDown") emit widget_.keyDown(code, shift);
    if (name == "KeyPress") emit widget_.keyPress(code);
    if (name == "KeyUp") emit widget_.keyUp(code, shift);
    if (!key_filter_) return;
    key_filter_(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())), code, shift);
    args[0].value = host::Variant::Integer(static_cast<std::int16_t>(code));
    if (args.size() > 1) args[1].value = host::Variant::Integer(static_cast<std::int16_t>(shift));
  }

  // What a load compares: the value by the text that holds it.
  host::Variant Compared(std::string_view property) {
    return text_.GetProperty(property == "Value" ? "Text" : property);
  }

  TextWidget& widget_;
  host::EditBox box_;
  control::Text text_;
  BoxView* view_;  // a child of the widget
  KeyFilter key_filter_;
  bool loading_ = false;
  mutable std::u16string clipboard_;
};

TextWidget::TextWidget(QWidget* parent) : QWidget(parent), host_(std::make_unique<Host>(*this)) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(&host_->View());
  setFocusProxy(&host_->View());
  host_->View().SetMenuActions([this] { return actions(); });
  setFocusPolicy(Qt::StrongFocus);
  setAccessibleName(QStringLiteral("Kestrow field"));
}

TextWidget::~TextWidget() = default;

QLineEdit* TextWidget::view() const { return &host_->View(); }

control::Text& TextWidget::control() { return host_->Control(); }
const control::Text& TextWidget::control() const { return host_->Control(); }

TextWidget::DataType TextWidget::dataType() const { return static_cast<DataType>(control().DataType()); }
TextWidget::InputFormat TextWidget::inputFormat() const { return static_cast<InputFormat>(control().InputFormat()); }
TextWidget::DisplayFormat TextWidget::displayFormat() const {
  return static_cast<DisplayFormat>(control().DisplayFormat());
}
QString TextWidget::padChar() const { return ToQString(control().PadChar()); }
QString TextWidget::mask() const { return ToQString(control().Mask()); }
bool TextWidget::autoTab() const { return control().AutoTab(); }
bool TextWidget::autoSelect() const { return control().AutoSelect(); }
int TextWidget::length() const { return control().Length(); }
int TextWidget::decimalPlaces() const { return control().DecimalPlaces(); }
QVariant TextWidget::value() const { return ToQVariant(host_->Control().Value()); }
QString TextWidget::text() const { return ToQString(control().GetText()); }

// Through the late-bound interface, which takes the numbers and refuses what does not fit with
// the control's own message; host errors (a number out of range) are refusals to a Qt property.
// A setting the field already holds is no change, as with any Qt property: a form that stores a
// length its custom mask measured loads without the refusal setting a mask's length would bring.
void TextWidget::setDataType(DataType dataType) {
  if (dataType != this->dataType()) Put("DataType", host::Variant::Long(static_cast<std::int32_t>(dataType)));
}
void TextWidget::setInputFormat(InputFormat inputFormat) {
  if (inputFormat != this->inputFormat()) {
    Put("InputFormat", host::Variant::Long(static_cast<std::int32_t>(inputFormat)));
  }
}
void TextWidget::setDisplayFormat(DisplayFormat displayFormat) {
  if (displayFormat != this->displayFormat()) {
    Put("DisplayFormat", host::Variant::Long(static_cast<std::int32_t>(displayFormat)));
  }
}
void TextWidget::setPadChar(const QString& padChar) {
  if (padChar != this->padChar()) Put("PadChar", host::Variant::String(FromQString(padChar)));
}
void TextWidget::setMask(const QString& mask) {
  if (mask != this->mask()) Put("Mask", host::Variant::String(FromQString(mask)));
}
void TextWidget::setAutoTab(bool autoTab) {
  if (autoTab != this->autoTab()) Put("AutoTab", host::Variant::Boolean(autoTab));
}
void TextWidget::setAutoSelect(bool autoSelect) {
  if (autoSelect != this->autoSelect()) Put("AutoSelect", host::Variant::Boolean(autoSelect));
}
void TextWidget::setLength(int length) {
  if (length != this->length()) Put("Length", host::Variant::Long(length));
}
void TextWidget::setDecimalPlaces(int decimalPlaces) {
  if (decimalPlaces != this->decimalPlaces()) Put("DecimalPlaces", host::Variant::Long(decimalPlaces));
}
void TextWidget::setValue(const QVariant& value) { Put("Value", FromQVariant(value)); }

void TextWidget::Put(std::string_view property, const host::Variant& value) {
  try {
    control::PutProperty(control(), control::MemberNamed(property), value);
  } catch (const host::HostError& error) {
    ShowMessage(this, host::FromUtf8(error.Description()), host::buttons::kCritical, std::nullopt);
  }
  host_->View().ShowBox();
}

void TextWidget::setKeyFilter(KeyFilter filter) { host_->SetKeyFilter(std::move(filter)); }

void TextWidget::saveTo(host::PropertyBag& bag) const { control().WriteProperties(bag); }

void TextWidget::loadFrom(host::PropertyBag& bag) { host_->Load(bag); }

void TextWidget::showAbout() { control().ShowTalmoBox(); }

void TextWidget::showFormatDialog() { ShowFormatDialog(this, control()); }

void TextWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  control().Resize(ToTwips(event->size().width()), ToTwips(event->size().height()));
}

}  // namespace kestrow::qt
