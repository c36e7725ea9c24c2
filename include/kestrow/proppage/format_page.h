// The design-time property page Format of the Text control: three lists that offer what fits the
// chosen data type, four fields checked as they are typed, and a proposed mask. It loads the
// first selected control and writes the edited settings back to it, by property name alone.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "kestrow/host/controls/captioned_control.h"
#include "kestrow/host/controls/drop_down_list.h"
#include "kestrow/host/controls/edit_box.h"
#include "kestrow/host/forms/property_page.h"

namespace kestrow::proppage {

class FormatPage final : public host::PropertyPage {
 public:
  explicit FormatPage(host::PageFrame& frame);
  ~FormatPage() override;
  FormatPage(const FormatPage&) = delete;
  FormatPage& operator=(const FormatPage&) = delete;

  // host::PropertyPage
  std::u16string_view Caption() const override { return u"Format"; }
  std::int32_t ClientWidth() const override { return 4710; }
  std::int32_t ClientHeight() const override { return 3495; }
  std::span<const host::PageControl> Controls() const override { return controls_; }

  // Live pages, for the component library's unload check.
  static int LiveCount();

  // The container's notifications.
  void SelectionChanged() override;  // loads SelectedControls(0)
  void ApplyChanges() override;      // writes the page to SelectedControls(0)

 private:
  class ListEvents;
  class FieldEvents;

  // --- Lists and their handlers (list_handlers.cpp) -------------------------------------------
  void cmbDataType_Click();
  void cmbInputFormat_Click();
  void cmbDisplayFormat_Click();
  void FillFormatLists(std::u16string_view data_type_item);
  void EnableInputFormatFields();

  // --- Fields and their handlers (field_handlers.cpp) -----------------------------------------
  void NumericField_KeyPress(std::int16_t& KeyAscii);
  void txtLength_Change();
  void txtDecPlaces_Change();
  void txtPadChar_Change();
  void txtMask_Change();
  void txtMask_LostFocus();
  void TakeMaskCounts();
  void RefuseMask(std::u16string_view prompt);
  void MarkChanged();
  void BuildPageMask();

  // --- Loading and applying (load_apply.cpp) --------------------------------------------------
  void LoadFields(host::Dispatchable& control);
  void WriteFormats(host::Dispatchable& control);
  void WriteFields(host::Dispatchable& control);

  host::PageFrame& frame_;
  bool m_Loading = false;

  host::CaptionedControl lblDataType;
  host::DropDownList cmbDataType;
  host::DropDownList cmbInputFormat;
  host::DropDownList cmbDisplayFormat;
  host::EditBox txtPadChar;
  host::EditBox txtLength;
  host::CaptionedControl lblFunction;
  host::EditBox txtDecPlaces;
  host::EditBox txtMask;
  host::CaptionedControl lblLength;
  host::CaptionedControl Frame1;
  host::CaptionedControl lblDecPlaces;
  host::CaptionedControl lblDisplayFormat;
  host::CaptionedControl lblPadChar;

  std::array<host::PageControl, 14> controls_;
  std::unique_ptr<ListEvents> data_type_events_;
  std::unique_ptr<ListEvents> input_format_events_;
  std::unique_ptr<ListEvents> display_format_events_;
  std::unique_ptr<FieldEvents> pad_char_events_;
  std::unique_ptr<FieldEvents> length_events_;
  std::unique_ptr<FieldEvents> dec_places_events_;
  std::unique_ptr<FieldEvents> mask_events_;
};

}  // namespace kestrow::proppage
