// The page's controls, their places and the passing of their events to the page's handlers.
#include "kestrow/proppage/format_page.h"

#include <atomic>

#include "format_items.h"
#include "page_events.h"

namespace kestrow::proppage {

namespace {

std::atomic<int> live_pages{0};

void Place(host::EditBox& box, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  box.SetLeft(left);
  box.SetTop(top);
  box.SetWidth(width);
  box.SetHeight(height);
}

void Place(host::DropDownList& list, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  list.Position() = host::Placement(left, top, width, height);
}

}  // namespace

FormatPage::FormatPage(host::PageFrame& frame)
    : frame_(frame),
      lblDataType(u"Data Type", {120, 300, 1215, 255}),
      txtPadChar(frame),
      txtLength(frame),
      lblFunction(u"Input Format", {120, 780, 1215, 255}),
      txtDecPlaces(frame),
      txtMask(frame),
      lblLength(u"Length :", {120, 2220, 615, 255}),
      Frame1(u"Data Input Mask", {120, 2520, 4455, 735}),
      lblDecPlaces(u"Decimal Places", {2760, 2220, 1095, 255}),
      lblDisplayFormat(u"Display Format", {120, 1260, 1215, 255}),
      lblPadChar(u"Padding Character", {120, 1740, 1335, 255}),
      controls_{{
          {"lblDataType", &lblDataType, ""},
          {"cmbDataType", &cmbDataType, ""},
          {"cmbInputFormat", &cmbInputFormat, ""},
          {"cmbDisplayFormat", &cmbDisplayFormat, ""},
          {"txtPadChar", &txtPadChar, ""},
          {"txtLength", &txtLength, ""},
          {"lblFunction", &lblFunction, ""},
          {"txtDecPlaces", &txtDecPlaces, ""},
          {"txtMask", &txtMask, "Frame1"},
          {"lblLength", &lblLength, ""},
          {"Frame1", &Frame1, ""},
          {"lblDecPlaces", &lblDecPlaces, ""},
          {"lblDisplayFormat", &lblDisplayFormat, ""},
          {"lblPadChar", &lblPadChar, ""},
      }},
      data_type_events_(std::make_unique<ListEvents>(*this, &FormatPage::cmbDataType_Click)),
      input_format_events_(std::make_unique<ListEvents>(*this, &FormatPage::cmbInputFormat_Click)),
      display_format_events_(std::make_unique<ListEvents>(*this, &FormatPage::cmbDisplayFormat_Click)),
      pad_char_events_(std::make_unique<FieldEvents>(*this, txtPadChar, FieldHandlers{&FormatPage::txtPadChar_Change})),
      length_events_(std::make_unique<FieldEvents>(
          *this, txtLength, FieldHandlers{&FormatPage::txtLength_Change, nullptr, &FormatPage::NumericField_KeyPress})),
      dec_places_events_(std::make_unique<FieldEvents>(
          *this, txtDecPlaces,
          FieldHandlers{&FormatPage::txtDecPlaces_Change, nullptr, &FormatPage::NumericField_KeyPress})),
      mask_events_(std::make_unique<FieldEvents>(
          *this, txtMask, FieldHandlers{&FormatPage::txtMask_Change, &FormatPage::txtMask_LostFocus})) {
  Place(cmbDataType, 1560, 240, 3015, 315);
  Place(cmbInputFormat, 1560, 720, 3015, 315);
  Place(cmbDisplayFormat, 1560, 1200, 3015, 315);
  Place(txtPadChar, 1560, 1680, 495, 330);
  Place(txtLength, 1560, 2160, 855, 330);
  Place(txtDecPlaces, 4080, 2160, 495, 330);
  Place(txtMask, 120, 240, 4215, 405);

  // The initial contents go in before the handlers are attached: they are no designer's change.
  txtPadChar.SetMaxLength(1);
  txtLength.SetText(u"10");
  txtDecPlaces.SetText(u"0");
  for (const std::u16string_view item : DataTypeItems()) cmbDataType.AddItem(item);

  cmbDataType.SetEventHandler(data_type_events_.get());
  cmbInputFormat.SetEventHandler(input_format_events_.get());
  cmbDisplayFormat.SetEventHandler(display_format_events_.get());
  txtPadChar.SetEventHandler(pad_char_events_.get());
  txtLength.SetEventHandler(length_events_.get());
  txtDecPlaces.SetEventHandler(dec_places_events_.get());
  txtMask.SetEventHandler(mask_events_.get());
  ++live_pages;
}

FormatPage::~FormatPage() { --live_pages; }

int FormatPage::LiveCount() { return live_pages; }

}  // namespace kestrow::proppage
