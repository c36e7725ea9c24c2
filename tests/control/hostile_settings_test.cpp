// Hand-edited stored settings are taken as they are; whatever they hold, editing the field
// afterwards never crashes, never writes outside the box text and keeps the selection inside it.
#include "control/control_fixture.h"
#include "control/text_internals.h"
#include "kestrow/control/form_storage.h"

namespace kestrow::testing {
namespace {

using host::Variant;

struct Stored {
  const char* what;
  std::int16_t dataType, inputFormat, displayFormat, length, decimals;
  const char16_t* mask;
  const char16_t* padChar;
  Variant value;
};

class HostileSettings : public ControlTest {};

TEST_F(HostileSettings, EditingAfterImpossibleStoredSettingsStaysSound) {
  const Stored rows[] = {
      {"negative length", 1, 5, 0, -5, 0, u"", u"", Variant::Double(12)},
      {"decimals beyond the length", 1, 8, 4, 3, 9, u"", u"*", Variant::Double(-1)},
      {"unknown data type", 9, 1, 0, 10, 0, u"XX", u"", Variant::String(u"x")},
      {"unknown input format", 0, 42, 0, 10, 0, u"", u"", Variant::String(u"abc")},
      {"empty mask", 0, 0, 0, 10, 0, u"", u"", Variant::String(u"abc")},
      {"date without separators", 2, 11, 0, 10, 0, u"", u"", Variant::FromDate(host::DateSerial(2026, 1, 2))},
      {"date holding text", 2, 10, 6, 10, 0, u"", u"", Variant::String(u"not a date")},
      {"password without padding", 3, 0, 0, 4, 0, u"", u"", Variant::String(u"secret")},
      {"logical holding text", 4, 14, 0, 5, 0, u"", u"", Variant::String(u"maybe")},
      {"huge numeric value", 1, 9, 5, 20, 2, u"", u"ab", Variant::Double(1e300)},
      {"mask of blanks", 0, 0, 1, 3, 0, u"   ", u"_", Variant::String(u"abcdef")},
  };
  for (const Stored& row : rows) {
    host::PropertyBag bag;
    bag.WriteProperty("DataType", Variant::Integer(row.dataType), Variant::Integer(0));
    bag.WriteProperty("InputFormat", Variant::Integer(row.inputFormat), Variant::Integer(1));
    bag.WriteProperty("DisplayFormat", Variant::Integer(row.displayFormat), Variant::Integer(0));
    bag.WriteProperty("PadChar", Variant::String(row.padChar), Variant::String(u""));
    bag.WriteProperty("Mask", Variant::String(row.mask), Variant::String(u""));
    bag.WriteProperty("DecimalPlaces", Variant::Integer(row.decimals), Variant::Integer(0));
    bag.WriteProperty("Length", Variant::Integer(row.length), Variant::Integer(10));
    bag.WriteProperty("Value", row.value, Variant::String(u""));
    host::StoredControl stored{u"Hostile", "Text", bag};
    control::Text* text = nullptr;
    try {
      text = &control::PlaceStoredText(form_, stored, "hand-edited");
    } catch (const host::HostError&) {
      continue;  // refused with the host's error: fine
    }
    const auto sound = [&] {
      const host::EditBox& box = control::Text1Of(*text);
      ASSERT_GE(box.SelStart(), 0) << row.what;
      ASSERT_LE(box.SelStart() + box.SelLength(), static_cast<std::int32_t>(box.Text().size())) << row.what;
    };
    const auto guarded = [&](auto&& step) {
      try {
        step();
      } catch (const host::HostError&) {
      }
      sound();
    };
    guarded([&] { form_.Focus(u"Hostile"); });
    for (const char* key : {"End", "Home", "Right", "Left", "Delete", "Backspace"})
      guarded([&] { form_.PressKey(key, 0); });
    guarded([&] { form_.Focus(u"Hostile"); });
    guarded([&] { form_.Type(u"1-.aZ 9"); });
    guarded([&] { form_.Focus(u"Hostile"); });
    guarded([&] { form_.PressKey("Enter", 0); });
    guarded([&] { form_.Focus(u"other"); });
    guarded([&] { control::StoreText(*text, u"again"); });
    form_.RemoveControl(u"Hostile");
    form_.TakeRecords();
  }
}

}  // namespace
}  // namespace kestrow::testing
