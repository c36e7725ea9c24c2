// The three lists: the formats each data type offers, the fields it shows or enables, and the
// defaults it puts in them.
#include "format_items.h"
#include "kestrow/host/values/runtime.h"
#include "kestrow/proppage/format_page.h"

namespace kestrow::proppage {

namespace {

void Empty(host::DropDownList& list) {
  while (list.ListCount() != 0) list.RemoveItem(0);
}

}  // namespace

void FormatPage::MarkChanged() {
  if (!m_Loading) frame_.Site().SetChanged(true);
}

void FormatPage::cmbDataType_Click() {
  if (cmbDataType.Text() == cmbDataType.Tag()) return;
  MarkChanged();
  // The selections below are then handled in full.
  cmbInputFormat.SetTag(u"");
  cmbDisplayFormat.SetTag(u"");
  Empty(cmbInputFormat);
  Empty(cmbDisplayFormat);
  FillFormatLists(cmbDataType.Text());
  cmbInputFormat.SetText(cmbInputFormat.List(1));
  cmbDisplayFormat.SetText(cmbDisplayFormat.List(0));
  cmbDisplayFormat.SetEnabled(cmbDisplayFormat.ListCount() > 1);
  cmbDataType.SetTag(cmbDataType.Text());
}

void FormatPage::FillFormatLists(std::u16string_view data_type_item) {
  const DataTypeChoice* choice = ChoiceOf(data_type_item);
  if (!choice) return;
  const engine::DataTypeRules& format = choice->format;
  for (const std::int16_t input : format.input_formats) cmbInputFormat.AddItem(InputFormatText(input));
  for (const std::int16_t display : format.display_formats) cmbDisplayFormat.AddItem(DisplayFormatText(display));

  if (choice->pad_char != PadCharRule::KeptDisabled) txtPadChar.SetText(u"");
  txtPadChar.SetEnabled(choice->pad_char == PadCharRule::EmptiedEnabled);
  lblDecPlaces.SetVisible(format.decimals);
  if (format.decimals) {
    txtDecPlaces.SetVisible(true);
    txtDecPlaces.SetTag(u"0");
    txtDecPlaces.SetText(u"0");
  } else {
    txtDecPlaces.SetText(u"0");
    txtDecPlaces.SetVisible(false);
  }
  if (format.fixed_length) {
    const std::u16string length = host::NumberText(*format.fixed_length);
    txtLength.SetTag(length);
    txtLength.SetText(length);
  }
}

void FormatPage::cmbInputFormat_Click() {
  if (cmbInputFormat.Text() == cmbInputFormat.Tag()) return;
  MarkChanged();
  EnableInputFormatFields();
  BuildPageMask();
  cmbInputFormat.SetTag(cmbInputFormat.Text());
}

void FormatPage::EnableInputFormatFields() {
  const std::u16string dataType = cmbDataType.Text();
  const bool custom = cmbInputFormat.Text() == kCustomFormatItem;
  if (dataType == kAlphaNumericItem) {
    txtMask.SetEnabled(custom);
  } else if (dataType == kNumericItem) {
    txtMask.SetEnabled(custom);
    if (custom) {
      cmbDisplayFormat.SetText(kNoDisplayFormatItem);
      cmbDisplayFormat.SetEnabled(false);
    } else {
      cmbDisplayFormat.SetEnabled(true);
    }
  } else if (dataType == kPasswordItem) {
    txtPadChar.SetEnabled(custom);
    txtPadChar.SetText(u"*");
  }
}

void FormatPage::cmbDisplayFormat_Click() {
  if (cmbDisplayFormat.Text() == cmbDisplayFormat.Tag()) return;
  MarkChanged();
  // The date separator is the display item's first character.
  if (cmbDataType.Text() == kDateItem) BuildPageMask();
  cmbDisplayFormat.SetTag(cmbDisplayFormat.Text());
}

}  // namespace kestrow::proppage
