// Showing the first selected control's settings, and writing the page back to it, by property
// name alone and in a fixed order: later settings are judged against the data type in force.
#include "format_items.h"
#include "kestrow/host/values/runtime.h"
#include "kestrow/host/values/variant.h"
#include "kestrow/proppage/format_page.h"

namespace kestrow::proppage {

namespace {

class LoadingFlag {
 public:
  explicit LoadingFlag(bool& flag) : flag_(flag) { flag_ = true; }
  LoadingFlag(const LoadingFlag&) = delete;
  LoadingFlag& operator=(const LoadingFlag&) = delete;
  ~LoadingFlag() { flag_ = false; }

 private:
  bool& flag_;
};

std::int32_t WholeNumber(host::Dispatchable& control, std::string_view property) {
  return host::ToLong(control.GetProperty(property));
}

std::u16string TextOf(host::Dispatchable& control, std::string_view property) {
  return host::ToText(control.GetProperty(property));
}

}  // namespace

void FormatPage::SelectionChanged() {
  host::Dispatchable& control = frame_.Site().SelectedControl(0);
  const LoadingFlag loading(m_Loading);
  frame_.Site().SetChanged(false);
  cmbDataType.SetText(cmbDataType.List(WholeNumber(control, "DataType")));
  const std::int32_t inputFormat = WholeNumber(control, "InputFormat");
  cmbInputFormat.SetText(cmbInputFormat.List(InputFormatPosition(inputFormat, cmbDataType.Text())));
  cmbDisplayFormat.SetText(cmbDisplayFormat.List(DisplayFormatPosition(WholeNumber(control, "DisplayFormat"))));
  LoadFields(control);
}

void FormatPage::LoadFields(host::Dispatchable& control) {
  // The length is checked against the decimal places the page showed before and may be refused.
  // A refusal then puts back the control's own length, which its decimals fit, rather than a
  // length of the previous control or none at all (against which the decimals would be refused).
  const std::u16string length = TextOf(control, "Length");
  txtLength.SetTag(length);
  txtLength.SetText(length);
  txtDecPlaces.SetText(TextOf(control, "DecimalPlaces"));
  txtPadChar.SetText(TextOf(control, "PadChar"));
  txtMask.SetText(TextOf(control, "Mask"));
}

void FormatPage::ApplyChanges() {
  host::Dispatchable& control = frame_.Site().SelectedControl(0);
  WriteFormats(control);
  WriteFields(control);
}

void FormatPage::WriteFormats(host::Dispatchable& control) {
  const std::int32_t dataType = cmbDataType.ListIndex();
  if (dataType != WholeNumber(control, "DataType")) {
    control.PutProperty("DataType", host::Variant::Integer(static_cast<std::int16_t>(dataType)));
  }
  if (const auto inputFormat = InputFormatValue(cmbInputFormat.Text())) {
    control.PutProperty("InputFormat", host::Variant::Integer(*inputFormat));
  }
  if (const auto displayFormat = DisplayFormatValue(cmbDisplayFormat.Text())) {
    control.PutProperty("DisplayFormat", host::Variant::Integer(*displayFormat));
  }
}

void FormatPage::WriteFields(host::Dispatchable& control) {
  const std::u16string dataType = cmbDataType.Text();
  const std::u16string inputFormat = cmbInputFormat.Text();
  const bool maskedType = dataType == kNumericItem || dataType == kAlphaNumericItem;
  const bool custom = inputFormat == kCustomFormatItem;
  if ((maskedType && !custom) || dataType == kPasswordItem) {
    control.PutProperty("Length", host::Variant::Double(host::ReadNumber(txtLength.Text())));
  }
  const double decimals = host::ReadNumber(txtDecPlaces.Text());
  if (dataType == kNumericItem && !custom && decimals > 0) {
    control.PutProperty("DecimalPlaces", host::Variant::Double(decimals));
  }
  if (inputFormat != kStarFormatItem && !txtPadChar.Text().empty()) {
    control.PutProperty("PadChar", host::Variant::String(txtPadChar.Text()));
  }
  if (maskedType && custom) control.PutProperty("Mask", host::Variant::String(txtMask.Text()));
}

}  // namespace kestrow::proppage
