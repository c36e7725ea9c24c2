#include <chrono>

#include "engine/field_fixture.h"

namespace kestrow::testing {
namespace {

using namespace engine;
using host::Variant;

class Display : public FieldTest {
 protected:
  // The edit form (a refresh while focused) and the display form of a value.
  std::pair<std::string, std::string> Forms(const Variant& value) {
    Store([&](engine::FormatMembers& s) {
      s.m_Value = value;
      s.m_HasFocus = true;
    });
    Field().RebuildMask();
    std::string edit = BoxText();
    Store([&](engine::FormatMembers& s) { s.m_HasFocus = false; });
    Field().RebuildMask();
    return {edit, BoxText()};
  }
  void Amount(std::int32_t displayFormat, std::u16string_view pad) {
    MakeNumeric(10, 2, dtThousandsFormat);
    Field().SetDisplayFormat(displayFormat);
    Field().SetPadChar(pad);
  }
};

TEST_F(Display, AlphaNumericProperCaseWithPadding) {
  Field().SetDisplayFormat(dtProperCase);
  Field().SetPadChar(u"_");
  EXPECT_EQ(Forms(Variant::String(Dots("ann·lee"))), std::make_pair(std::string("Ann·Lee"), std::string("Ann·Lee___")));
}

TEST_F(Display, CustomMaskFillsItsBlankPositions) {
  MakeCustom("AA-9999");
  Field().SetDisplayFormat(dtUpperCase);
  EXPECT_EQ(Forms(Variant::String(u"ab12")), std::make_pair(std::string("AB-12··"), std::string("AB-12··")));
  Field().SetDisplayFormat(dtProperCase);
  EXPECT_EQ(Forms(Variant::String(u"ab12")).second, "Ab-12··");  // "-" does not start a word
}

TEST_F(Display, SurplusCharactersOverwriteTheLastPosition) {
  Field().SetLength(3);
  EXPECT_EQ(Forms(Variant::String(u"HELLO")).second, "HEO");
}

struct AmountRow {
  std::int32_t displayFormat;
  const char* pad;
  double value;
  const char* edit;
  const char* display;
};

TEST_F(Display, AmountsInBothForms) {
  const AmountRow rows[] = {
      {dtNone, "", 1234567.5, "1234567.50", "12,34,567.50"},
      {dtNone, "", 0, "······0.00", "0.00"},
      {dtAccountsFormat2, "*", -1234.5, "-··1234.50", "(****1,234.50)"},
      {dtAccountsFormat1, "*", -1234.5, "-··1234.50", "****1,234.50·Db."},
      {dtAccountsFormat1, "*", 1234.5, "···1234.50", "****1,234.50·Cr."},
      {dtNone, "*", -1234.5, "-··1234.50", "-****1,234.50"},
      {dtNone, "", -0.004, "-·····0.00", "-0.00"},  // rounds to zero, but still below zero
  };
  for (const AmountRow& row : rows) {
    Amount(row.displayFormat, host::FromUtf8(row.pad));
    const auto [edit, display] = Forms(Variant::Double(row.value));
    EXPECT_EQ(edit, row.edit) << row.value;
    EXPECT_EQ(display, row.display) << row.value;
  }
}

TEST_F(Display, AmountWithMoreDigitsThanPositionsStaysInsideTheBox) {
  MakeNumeric(4, 0, dtDigits);
  const auto [edit, display] = Forms(Variant::Double(123456));
  EXPECT_EQ(edit.size(), 4u);
  EXPECT_EQ(display.size(), 4u);
}

TEST_F(Display, NullAmountShowsNoDigitsAndNonNumberIsTheHostsError) {
  MakeNumeric(6, 0, dtDigits);
  EXPECT_EQ(Forms(Variant::Null()), std::make_pair(std::string("······"), std::string("······")));
  Store([&](engine::FormatMembers& s) { s.m_Value = Variant::String(u"abc"); });
  EXPECT_THROW(Field().RefreshDisplay(), host::HostError);
}

TEST_F(Display, DatesLogicalsAndPasswords) {
  MakeDate(dtBritishDate, dtSlashSeparator);
  EXPECT_EQ(Forms(Variant::FromDate(host::DateSerial(2026, 12, 7))).second, "07/12/2026");
  EXPECT_EQ(Forms(Variant::String(u"")).second, "··/··/····");
  EXPECT_EQ(Forms(Variant::Null()).second, "07/12/2026");  // today
  EXPECT_EQ(Forms(Variant::String(Dots("··/··/····"))).second, "··/··/····");

  Field().SetDataType(dtLogical);
  EXPECT_EQ(Forms(Variant::Integer(1)).second, "Yes··");
  EXPECT_EQ(Forms(Variant::Integer(0)).second, "No···");
  Field().SetInputFormat(dtTrueFalseFormat);
  EXPECT_EQ(Forms(Variant::Integer(1)).second, "True·");
  EXPECT_EQ(Forms(Variant::Integer(0)).second, "False");
  EXPECT_EQ(Forms(Variant::Integer(7)).second, "False");  // any other value leaves the box alone

  Field().SetDataType(dtPassword);
  EXPECT_EQ(Forms(Variant::Null()).second, "");
  EXPECT_EQ(Forms(Variant::String(u"secret")).second, "secret");
}

TEST_F(Display, EveryChangingStepRaisesOneChange) {
  Field().SetDisplayFormat(dtUpperCase);
  Field().SetPadChar(u"_");
  Store([&](engine::FormatMembers& s) { s.m_Value = Variant::String(u"abc"); });
  ClearLog();
  Field().RefreshDisplay();
  // Three characters placed, the case conversion and the padding (the empty skeleton is no change).
  const auto log = Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), "Change"), 5);
  EXPECT_EQ(log.back(), "changed Text");
  EXPECT_EQ(BoxText(), "ABC_______");
}

TEST_F(Display, FocusArrivalSelectsAndShowsTheEditForm) {
  Field().SetValue(Variant::String(u"ab"));
  Box().SetText(u"stale");
  Focus();
  EXPECT_EQ(BoxText(), "stale");  // an unpadded text field keeps its box as it is
  EXPECT_EQ(Box().SelLength(), 5);

  Blur();
  Field().SetPadChar(u"_");
  Field().SetValue(Variant::String(u"ab"));
  EXPECT_EQ(BoxText(), "ab________");
  Focus();
  EXPECT_EQ(BoxText(), "ab");  // the padding goes, so it is not read back into the value
  EXPECT_EQ(Box().SelLength(), 2);
  Blur();
  EXPECT_EQ(Field().Value(), Variant::String(u"ab"));

  MakeNumeric(6, 0, dtDigitsSigns);
  Field().SetAutoSelect(false);
  Focus();
  EXPECT_EQ(BoxText(), "·····0");
  EXPECT_EQ(Box().SelLength(), 0);
}

// Found by the control fuzzer: leaving kept the unpadded edit form, so the field showed (and
// stored) a Text that a read-back field, showing its display form, did not.
TEST_F(Display, LeavingAPaddedTextFieldShowsItsPaddingAgain) {
  Field().SetPadChar(u"_");
  Focus();
  Type(u"xy");
  Blur();
  EXPECT_EQ(BoxText(), "xy________");
  EXPECT_EQ(Field().Value(), Variant::String(u"xy"));
}

TEST_F(Display, LeavingAnInvalidDateReportsAndReturnsTheFocus) {
  MakeDate(dtBritishDate, dtSlashSeparator);
  Focus();
  Edit("31/02/2026", 0);
  ClearLog();
  Blur();
  const auto log = Log();
  const std::vector<std::string> expected{"focus other", "msgbox Invalid Date|16|", "focus Field1"};
  EXPECT_EQ(log, expected);
  EXPECT_TRUE(Field().Value().IsNull());
  EXPECT_EQ(BoxText(), "31/02/2026");
}

TEST_F(Display, LeavingAnUntouchedDateStoresTheSkeleton) {
  MakeDate(dtBritishDate, dtSlashSeparator);
  Field().SetValue(Variant::String(u""));
  Focus();
  ClearLog();
  Blur();
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Field().Value(), Variant::String(Dots("··/··/····")));
}

TEST_F(Display, AnEmptiedDateTakesTheSeparatorsOfANewDisplayFormat) {
  MakeDate(dtBritishDate, dtSlashSeparator);
  Field().SetValue(Variant::String(u""));
  Field().SetDisplayFormat(dtDashSeparator);
  EXPECT_EQ(BoxText(), "··-··-····");
  Focus();
  ClearLog();
  Blur();
  EXPECT_TRUE(Messages().empty()) << "still an untouched field, not an invalid date";
  EXPECT_EQ(Field().Value(), Variant::String(Dots("··-··-····")));
}

// A host that does nothing, so that a refresh's own work is all that is timed.
class QuietHost final : public host::BoxHost, public host::ControlSite {
 public:
  const std::u16string& ClipboardText() const override { return clipboard_; }
  void SetClipboardText(std::u16string) override {}
  void RequestFocus(host::TextBox&) override {}
  void PropertyChanged(std::string_view) override {}
  void RaiseEvent(host::EventName, std::span<host::EventArg>) override {}
  void SendKeys(std::u16string_view) override {}
  int MsgBox(std::u16string_view, int, std::optional<std::u16string_view>) override { return host::kMsgBoxOk; }
  std::shared_ptr<host::Font> AmbientFont() override { return std::make_shared<host::Font>(); }
  void ShowModal(host::DialogForm&) override {}

 private:
  std::u16string clipboard_;
};

// The best of three refreshes of an alphanumeric value of n characters.
std::chrono::nanoseconds RefreshTime(std::int16_t n) {
  QuietHost quiet;
  host::EditBox box(quiet);
  TextEngine field(box, quiet);
  engine::FormatMembers text;
  text.m_InputFormat = dtAlphaDigitSpaceSymbol;
  field.Init(text);
  field.SetLength(n);
  engine::FormatMembers settings = field.Settings();
  settings.m_Value = Variant::String(std::u16string(static_cast<std::size_t>(n), u'k'));
  field.Assign(settings);
  auto best = std::chrono::nanoseconds::max();
  for (int run = 0; run < 3; ++run) {
    box.SetText(u"");
    const auto started = std::chrono::steady_clock::now();
    field.RefreshDisplay();
    best = std::min(best,
                    std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - started));
  }
  EXPECT_EQ(box.Text().size(), static_cast<std::size_t>(n));
  return best;
}

TEST(DisplayCost, LongFieldRefreshIsLinear) {
  // Eight times the characters: about eight times the work, where a fresh copy of the text per
  // character placed would take sixty-four.
  const auto small = RefreshTime(4096);
  const auto large = RefreshTime(32767);
  EXPECT_LT(large.count(), 24 * small.count()) << small.count() << " ns, then " << large.count() << " ns";
}

}  // namespace
}  // namespace kestrow::testing

namespace kestrow::testing {
namespace {

TEST_F(Display, StoredPaddingOfSeveralCharactersPadsWithItsFirst) {
  Field().SetLength(5);
  Store([&](engine::FormatMembers& s) { s.m_PadChar = u"ab"; });
  EXPECT_EQ(Forms(Variant::String(u"x")).second, "xaaaa");
}

TEST_F(Display, EmptyLogicalValueShowsAsZero) {
  Field().SetDataType(dtLogical);
  Field().SetValue(Variant::Integer(1));
  Field().SetValue(Variant());
  EXPECT_EQ(BoxText(), "No···");
}

}  // namespace
}  // namespace kestrow::testing
