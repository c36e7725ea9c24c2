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
  const std::int32_t input_format = WholeNumber(control, "InputFormat");
  cmbInputFormat.SetText(cmbInputFormat.List(InputFormatPosition(input_format, cmbDataType.Text())));
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
  const std::int32_t data_type = cmbDataType.ListIndex();
  if (data_type != WholeNumber(control, "DataType")) {
    control.PutProperty("DataType", host::Variant::Integer(static_cast<std::int16_t>(data_type)));
  }
  if (const auto input_format = InputFormatValue(cmbInputFormat.Text())) {
    control.PutProperty("InputFormat", host::Variant::Integer(*input_format));
  }
  if (const auto display_format = DisplayFormatValue(cmbDisplayFormat.Text())) {
    control.PutProperty("DisplayFormat", host::Variant::Integer(*display_format));
  }
}

void FormatPage::WriteFields(host::Dispatchable& control) {
  const std::u16string data_type = cmbDataType.Text();
  const std::u16string input_format = cmbInputFormat.Text();
  const bool masked_type = data_type == kNumericItem || data_type == kAlphaNumericItem;
  const bool custom = input_format == kCustomFormatItem;
  if ((masked_type && !custom) || data_type == kPasswordItem) {
    control.PutProperty("Length", host::Variant::Double(host::ReadNumber(txtLength.Text())));
  }
  const double decimals = host::ReadNumber(txtDecPlaces.Text());
  if (data_type == kNumericItem && !custom && decimals > 0) {
    control.PutProperty("DecimalPlaces", host::Variant::Double(decimals));
  }
  if (input_format != kStarFormatItem && !txtPadChar.Text().empty()) {
    control.PutProperty("PadChar", host::Variant::String(txtPadChar.Text()));
  }
  if (masked_type && custom) control.PutProperty("Mask", host::Variant::String(txtMask.Text()));
}

}  // namespace kestrow::proppage
