// The four fields: the digits-only key filter, the checks on a typed length or number of decimal
// places, and the length and decimals a custom mask amounts to.
#include <algorithm>

#include "format_items.h"
#include "kestrow/host/forms/control_site.h"
#include "kestrow/host/values/runtime.h"
#include "kestrow/proppage/format_page.h"
#include "proppage/mask_proposal.h"

namespace kestrow::proppage {

namespace {

constexpr std::u16string_view kMessageCaption = u"Valid Text Box";
// The control keeps its length in 16 bits, and the proposal repeats a character that often.
constexpr double kLongestLength = 32767;
constexpr double kMostNumericDigits = engine::kMaxNumericLength;
constexpr double kMostDecimalPlaces = engine::kMaxDecimalPlaces;

double ValueOf(const host::EditBox& field) { return host::ReadNumber(field.Text()); }

void SelectAll(host::EditBox& field) {
  field.SetSelStart(0);
  field.SetSelLength(static_cast<std::int32_t>(field.Text().size()));
}

// Puts the last accepted text back; the field's handler runs again on it.
void Restore(host::EditBox& field) { field.SetText(field.Tag()); }

std::u16string DecimalText(double value) { return host::NumberText(value); }

std::int64_t CountOf(std::u16string_view text, std::u16string_view counted) {
  return std::ranges::count_if(text, [&](char16_t c) { return counted.find(c) != std::u16string_view::npos; });
}

}  // namespace

void FormatPage::NumericField_KeyPress(std::int16_t& KeyAscii) {
  const bool digit = KeyAscii >= '0' && KeyAscii <= '9';
  if (!digit && KeyAscii != 8 && KeyAscii != 9 && KeyAscii != 13) KeyAscii = 0;
}

void FormatPage::txtLength_Change() {
  const double length = ValueOf(txtLength);
  const double decimals = ValueOf(txtDecPlaces);
  const std::u16string dataType = cmbDataType.Text();
  if (length <= 0 || length > kLongestLength || (decimals != 0 && decimals + 2 > length)) {
    Restore(txtLength);
    txtLength.SetFocus();
    return;
  }
  if (dataType == kNumericItem && length > kMostNumericDigits) {
    Restore(txtLength);
    txtLength.SetFocus();
    SelectAll(txtLength);
    return;
  }
  // Dates and yes/no fields have fixed lengths, which are neither remembered nor a change.
  if (dataType == kLogicalItem) {
    if (length != 5) txtLength.SetText(u"5");
    return;
  }
  if (dataType == kDateItem) {
    if (length != 10) txtLength.SetText(u"10");
    return;
  }
  txtLength.SetText(DecimalText(length));
  txtLength.SetTag(txtLength.Text());
  MarkChanged();
  BuildPageMask();
}

void FormatPage::txtDecPlaces_Change() {
  const double decimals = ValueOf(txtDecPlaces);
  const double length = ValueOf(txtLength);
  if (decimals < 0 || (cmbDataType.Text() == kNumericItem && length < decimals + 2)) {
    Restore(txtDecPlaces);
  } else if (decimals > kMostDecimalPlaces) {
    frame_.MsgBox(u"Only 16 Decimal Places Allowed\r\n\r\n(Only 16 Decimals Allowed)", host::buttons::kCritical,
                  kMessageCaption);
    Restore(txtDecPlaces);
  } else {
    txtDecPlaces.SetText(DecimalText(decimals));
    txtDecPlaces.SetTag(txtDecPlaces.Text());
    MarkChanged();
    BuildPageMask();
  }
  if (!m_Loading) SelectAll(txtDecPlaces);
}

void FormatPage::txtPadChar_Change() {
  MarkChanged();
  if (cmbDataType.Text() == kPasswordItem) BuildPageMask();
  // The next key typed replaces the single character.
  txtPadChar.SetSelStart(0);
  txtPadChar.SetSelLength(1);
}

void FormatPage::txtMask_Change() { MarkChanged(); }

void FormatPage::txtMask_LostFocus() {
  if (cmbDataType.Text() == kPasswordItem || cmbInputFormat.Text() != kCustomFormatItem) return;
  if (txtMask.Text().empty()) {
    RefuseMask(u"Mask Can Not be Empty");
    return;
  }
  TakeMaskCounts();
}

// A custom mask sets the length (and, for numbers, the decimal places) it has room for; a number's
// mask is first given one decimal point at most, and a digit before it.
void FormatPage::TakeMaskCounts() {
  if (cmbDataType.Text() != kNumericItem) {
    const std::int64_t codes = CountOf(txtMask.Text(), engine::kAlphaNumericCodes);
    if (codes == 0) {
      RefuseMask(u"No Space to Take Input");
      return;
    }
    txtLength.SetText(DecimalText(static_cast<double>(codes)));
    return;
  }

  std::u16string mask = txtMask.Text();
  if (mask.starts_with(u'.')) {
    mask.insert(0, u"9");
    txtMask.SetText(mask);
  }
  std::size_t point = mask.find(u'.');
  if (point != std::u16string::npos) {
    std::u16string after = mask.substr(point + 1);
    std::erase(after, u'.');
    mask = mask.substr(0, point + 1) + after;
    txtMask.SetText(mask);
    if (mask.ends_with(u'.')) {
      mask.pop_back();
      txtMask.SetText(mask);
      point = std::u16string::npos;
    }
  }
  std::int64_t length = 0;
  std::int64_t decimals = 0;
  if (point != std::u16string::npos) {
    if (CountOf(std::u16string_view(mask).substr(0, point), engine::kNumericCodes) == 0) {
      mask.insert(0, u"9");
      txtMask.SetText(mask);
      ++point;
    }
    length = CountOf(mask, engine::kNumericCodes) + 1;
    decimals = CountOf(std::u16string_view(mask).substr(point + 1), engine::kNumericCodes);
  } else {
    length = CountOf(mask, engine::kNumericCodes);
  }
  if (length == 0) {
    RefuseMask(u"No Space to Take Input");
    return;
  }
  txtLength.SetText(DecimalText(static_cast<double>(length)));
  txtDecPlaces.SetText(DecimalText(static_cast<double>(decimals)));
}

void FormatPage::RefuseMask(std::u16string_view prompt) {
  frame_.MsgBox(prompt, host::buttons::kCritical, kMessageCaption);
  txtMask.SetFocus();
}

void FormatPage::BuildPageMask() {
  const std::u16string dataType = cmbDataType.Text();
  if (dataType == kPasswordItem && txtPadChar.Text().empty()) txtPadChar.SetText(u"*");
  const std::u16string inputFormat = cmbInputFormat.Text();
  const std::u16string displayFormat = cmbDisplayFormat.Text();
  const PageChoices choices{dataType,           inputFormat,           displayFormat,
                            ValueOf(txtLength), ValueOf(txtDecPlaces), txtPadChar.Text()};
  for (const std::u16string& step : MaskProposalSteps(choices)) txtMask.SetText(step);
}

}  // namespace kestrow::proppage
