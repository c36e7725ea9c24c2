#include <filesystem>
#include <fstream>

#include "control/control_fixture.h"
#include "control/text_internals.h"
#include "engine/format_types.h"
#include "kestrow/control/form_storage.h"

namespace kestrow::testing {
namespace {

// A format as the property bag stores it: its number.
template <typename Format>
constexpr std::int16_t Number(Format format) {
  return static_cast<std::int16_t>(format);
}
template <typename Format>
host::Variant Stored(Format format) {
  return host::Variant::Integer(Number(format));
}

using host::Variant;
namespace fs = std::filesystem;

const std::vector<std::string> kStoredKeys{
    "BackColor",   "Enabled",       "Font",           "LinkItem", "LinkMode",    "LinkTimeout", "LinkTopic",
    "Locked",      "MouseIcon",     "MousePointer",   "Text",     "RightToLeft", "OLEDropMode", "OLEDragMode",
    "Alignment",   "FontUnderline", "FontStrikethru", "FontSize", "FontName",    "FontItalic",  "FontBold",
    "DataType",    "InputFormat",   "DisplayFormat",  "PadChar",  "Mask",        "DisplayMask", "AutoTab",
    "AutoSelect",  "DecimalPlaces", "Length",         "Value",    "SelText",     "SelStart",    "SelLength",
    "BorderStyle", "ForeColor",     "Appearance"};

class Persistence : public ControlTest {
 protected:
  Persistence()
      : dir_(fs::temp_directory_path() /
             ("kestrow-persistence-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
    fs::create_directories(dir_);
  }
  ~Persistence() override { fs::remove_all(dir_); }

  control::Text& Read(host::PropertyBag bag, std::u16string name = u"Loaded") {
    stored_ = host::StoredControl{std::move(name), "Text", std::move(bag)};
    return control::PlaceStoredText(form_, stored_, "test");
  }
  host::PropertyBag Saved(const control::Text& text) { return control::StoreText(text, u"x").properties; }

  fs::path dir_;
  host::StoredControl stored_;
};

TEST_F(Persistence, WritesEveryKeyInItsOrder) {
  const host::PropertyBag bag = Saved(Control());
  std::vector<std::string> keys;
  for (const auto& [key, value] : bag.Entries()) keys.push_back(key);
  EXPECT_EQ(keys, kStoredKeys);
}

TEST_F(Persistence, EmptyBagGivesTheDefaults) {
  control::Text& text = Read({});
  EXPECT_EQ(text.BackColor(), 0x80000005u);
  EXPECT_TRUE(text.Enabled());
  EXPECT_EQ(text.LinkTimeout(), 50);
  EXPECT_EQ(text.DataType(), control::DataType::AlphaNumeric);
  EXPECT_EQ(text.InputFormat(), control::InputFormat::AlphaDigitSpaceSymbol);
  EXPECT_EQ(text.Mask(), u"XXXXXXXXXX");
  EXPECT_TRUE(text.AutoTab());
  EXPECT_TRUE(text.AutoSelect());
  EXPECT_EQ(text.Length(), 10);
  EXPECT_EQ(text.Value(), Variant::String(u""));
  EXPECT_EQ(text.BorderStyle(), control::kBorderFixedSingle);
  EXPECT_EQ(control::Text1Of(text).MaxLength(), 10);  // the mask was rebuilt
}

TEST_F(Persistence, ReadRebuildsTheMaskAndShowsTheDisplayForm) {
  host::PropertyBag bag;
  bag.WriteProperty("Text", Variant::String(u"stale"), Variant::String(u""));
  bag.WriteProperty("DataType", Stored(control::DataType::Numeric), Variant::Integer(0));
  bag.WriteProperty("InputFormat", Stored(control::InputFormat::ThousandsFormat), Variant::Integer(1));
  bag.WriteProperty("DecimalPlaces", Variant::Integer(2), Variant::Integer(0));
  bag.WriteProperty("Value", Variant::Double(1234567.5), Variant::String(u""));
  control::Text& text = Read(bag);
  EXPECT_EQ(control::Text1Of(text).Text(), u"12,34,567.50");
  EXPECT_EQ(text.Mask(), u"#9,99,999.99");
}

// Stored lengths and decimals the type cannot take are brought into its bounds as they are read,
// so typing into the loaded field loses nothing.
TEST_F(Persistence, StoredLengthsOutsideTheTypesBoundsAreBroughtIn) {
  const struct {
    const char* what;
    std::int16_t dataType, inputFormat, length, decimals;
    std::int16_t expectedLength, expectedDecimals;
  } rows[] = {
      {"number too long", Number(control::DataType::Numeric), Number(control::InputFormat::Digits), 400, 2, 20, 2},
      {"too many decimals", Number(control::DataType::Numeric), Number(control::InputFormat::DigitsSigns), 20, 19, 20,
       16},
      {"decimals without room", Number(control::DataType::Numeric), Number(control::InputFormat::Digits), 3, 2, 3, 1},
      {"no places", Number(control::DataType::Numeric), Number(control::InputFormat::Digits), -4, 0, 1, 0},
      {"custom numeric mask", Number(control::DataType::Numeric), Number(control::InputFormat::CustomFormat), 30, 0, 30,
       0},
      {"decimals on text", Number(control::DataType::AlphaNumeric), Number(control::InputFormat::Alphabets), 6, 3, 6,
       0},
      {"short date", Number(control::DataType::Date), Number(control::InputFormat::BritishDate), 7, 0, 10, 0},
      {"long yes/no", Number(control::DataType::Logical), Number(control::InputFormat::YesNoFormat), 9, 1, 5, 0},
  };
  for (const auto& row : rows) {
    host::PropertyBag bag;
    bag.WriteProperty("DataType", Variant::Integer(row.dataType), Variant::Integer(0));
    bag.WriteProperty("InputFormat", Variant::Integer(row.inputFormat), Variant::Integer(1));
    bag.WriteProperty("Mask", Variant::String(std::u16string(30, u'9')), Variant::String(u""));
    bag.WriteProperty("DecimalPlaces", Variant::Integer(row.decimals), Variant::Integer(0));
    bag.WriteProperty("Length", Variant::Integer(row.length), Variant::Integer(10));
    control::Text& text = Read(bag);
    EXPECT_EQ(text.Length(), row.expectedLength) << row.what;
    EXPECT_EQ(text.DecimalPlaces(), row.expectedDecimals) << row.what;
    form_.RemoveControl(u"Loaded");
  }
}

TEST_F(Persistence, AStoredNumberTooLongForItsTypeStillTakesWhatIsTyped) {
  host::PropertyBag bag;
  bag.WriteProperty("DataType", Stored(control::DataType::Numeric), Variant::Integer(0));
  bag.WriteProperty("InputFormat", Stored(control::InputFormat::Digits), Variant::Integer(1));
  bag.WriteProperty("Length", Variant::Integer(400), Variant::Integer(10));
  control::Text& text = Read(bag);
  form_.Focus(u"Loaded");
  form_.Type(std::u16string(400, u'9'));
  form_.Focus(u"other");
  EXPECT_EQ(text.Value(), Variant::Double(99999999999999999999.0));
}

TEST_F(Persistence, StoredLogicalNullReadsAsZeroAndPasswordsHideBehindTheirPadding) {
  host::PropertyBag logical;
  logical.WriteProperty("DataType", Stored(control::DataType::Logical), Variant::Integer(0));
  logical.WriteProperty("InputFormat", Stored(control::InputFormat::YesNoFormat), Variant::Integer(1));
  logical.WriteProperty("Value", Variant::Null(), Variant::String(u""));
  EXPECT_EQ(Read(logical, u"L").Value(), Variant::Integer(0));

  host::PropertyBag password;
  password.WriteProperty("DataType", Stored(control::DataType::Password), Variant::Integer(0));
  password.WriteProperty("PadChar", Variant::String(u"*"), Variant::String(u""));
  password.WriteProperty("Value", Variant::String(u"pw"), Variant::String(u""));
  control::Text& hidden = Read(password, u"P");
  EXPECT_EQ(control::Text1Of(hidden).PasswordChar(), u"*");
  EXPECT_EQ(control::Text1Of(hidden).DisplayedText(), u"**");

  password.WriteProperty("PadChar", Variant::String(u""), Variant::String(u""));
  EXPECT_EQ(control::Text1Of(Read(password, u"Q")).DisplayedText(), u"pw");
}

TEST_F(Persistence, StoredSelectionIsRestoredWithoutDuplicatingItsText) {
  host::PropertyBag bag;
  bag.WriteProperty("Value", Variant::String(u"hello"), Variant::String(u""));
  bag.WriteProperty("SelText", Variant::String(u"ll"), Variant::String(u""));
  bag.WriteProperty("SelStart", Variant::Long(2), Variant::Integer(0));
  bag.WriteProperty("SelLength", Variant::Long(2), Variant::Integer(0));
  control::Text& text = Read(bag);
  EXPECT_EQ(control::Text1Of(text).Text(), u"hello");
  EXPECT_EQ(text.SelText(), u"ll");

  bag.WriteProperty("SelText", Variant::Object(nullptr), Variant::String(u""));
  EXPECT_EQ(ErrorOf([&] { Read(bag, u"Again"); }), host::errors::kTypeMismatch);
}

TEST_F(Persistence, FontKeysAfterTheFontObjectHaveTheLastWord) {
  auto font = std::make_shared<host::Font>();
  font->name = u"Arial";
  font->size = 12;
  host::PropertyBag bag;
  bag.WriteProperty("Font", Variant::Object(font), Variant::Null());
  bag.WriteProperty("FontBold", Variant::Boolean(true), Variant::Integer(0));
  control::Text& text = Read(bag);
  EXPECT_EQ(text.Font(), font);
  EXPECT_TRUE(text.FontBold());
  EXPECT_EQ(text.FontName(), u"Arial");  // the missing name key keeps the object's
  EXPECT_EQ(text.FontSize(), 12.0f);
}

// Found by the control fuzzer: the FontBold key read after the font object rewrote the weight
// of a font that was not bold, so a semibold (or weight 0) font came back from a file as 400.
TEST_F(Persistence, AFontsWeightSurvivesAFormFileWhenItsBoldStateIsRestated) {
  auto font = std::make_shared<host::Font>();
  font->weight = 600;
  Put("Font", Variant::Object(font));
  const fs::path file = dir_ / "form.json";
  control::SaveForm(form_, {u"Field1"}, file);
  host::Form reloaded;
  control::LoadForm(reloaded, file);
  const auto& copy = static_cast<control::Text&>(*reloaded.ControlNamed(u"Field1"));
  EXPECT_EQ(copy.Font()->weight, 600);
  EXPECT_FALSE(copy.FontBold());
}

// A form written by a later version holds keys this one does not know; saving must keep them.
TEST_F(Persistence, UnknownStoredKeysSurviveLoadAndSave) {
  auto font = std::make_shared<host::Font>();
  font->name = u"Later";
  host::PropertyBag bag;
  bag.WriteProperty("FutureFlag", Variant::Boolean(true), Variant::Boolean(false));
  bag.WriteProperty("Length", Variant::Integer(6), Variant::Integer(10));
  bag.WriteProperty("FutureStyle", Variant::Object(font), Variant::Null());
  bag.WriteProperty("FutureCount", Variant::Long(70000), Variant::Long(0));
  control::Text& text = Read(bag);
  EXPECT_EQ(text.Length(), 6);

  const fs::path file = dir_ / "later.json";
  control::SaveForm(form_, {u"Loaded"}, file);
  host::Form reloaded;
  control::LoadForm(reloaded, file);
  const host::PropertyBag again = Saved(static_cast<control::Text&>(*reloaded.ControlNamed(u"Loaded")));
  std::vector<std::string> keys;
  for (const auto& [key, value] : again.Entries()) keys.push_back(key);
  std::vector<std::string> expected = kStoredKeys;
  expected.insert(expected.end(), {"FutureFlag", "FutureStyle", "FutureCount"});
  EXPECT_EQ(keys, expected);  // after the known keys, in the order they came
  host::PropertyBag copy = again;
  EXPECT_EQ(copy.ReadProperty("FutureFlag", Variant()), Variant::Boolean(true));
  EXPECT_EQ(copy.ReadProperty("FutureCount", Variant()), Variant::Long(70000));
  const auto style = std::dynamic_pointer_cast<host::Font>(copy.ReadProperty("FutureStyle", Variant()).AsObject());
  ASSERT_TRUE(style);
  EXPECT_EQ(style->name, u"Later");
}

TEST_F(Persistence, WrongTypeStopsTheReadNamingTheKey) {
  host::PropertyBag bag;
  bag.WriteProperty("FontSize", Variant::String(u"large"), Variant::Integer(0));
  try {
    Read(bag, u"Broken");
    FAIL() << "no error";
  } catch (const host::HostError& error) {
    EXPECT_EQ(error.Number(), host::errors::kTypeMismatch);
    EXPECT_NE(error.Description().find("control \"Broken\", key \"FontSize\""), std::string::npos)
        << error.Description();
  }
  EXPECT_FALSE(form_.Contains(u"Broken"));
}

TEST_F(Persistence, EveryDataTypeSurvivesAFormFileOnDisk) {
  struct Setup {
    std::u16string name;
    std::function<void(control::Text&)> configure;
  };
  const std::vector<Setup> setups{
      {u"Alpha",
       [](control::Text& t) {
         t.SetDisplayFormat(control::DisplayFormat::UpperCase), t.SetValue(Variant::String(u"ab c"));
       }},
      {u"Amount",
       [](control::Text& t) {
         t.SetDataType(control::DataType::Numeric), t.SetDecimalPlaces(2),
             t.SetInputFormat(control::InputFormat::MillionsFormat);
         t.SetPadChar(u"*"), t.SetValue(Variant::Double(-1234.5));
       }},
      {u"When",
       [](control::Text& t) {
         t.SetDataType(control::DataType::Date), t.SetInputFormat(control::InputFormat::JapanDate);
       }},
      {u"Secret",
       [](control::Text& t) { t.SetDataType(control::DataType::Password), t.SetValue(Variant::String(u"pw")); }},
      {u"Choice",
       [](control::Text& t) { t.SetDataType(control::DataType::Logical), t.SetValue(Variant::Boolean(true)); }},
      {u"Phone",
       [](control::Text& t) {
         t.SetInputFormat(control::InputFormat::CustomFormat), t.SetMask(u"(999) 999-9999"), t.SetFontItalic(true);
         t.SetBackColor(0x00FF00u), t.SetForeColor(0x123456u), t.SetAppearance(control::kAppearanceFlat);
       }},
  };
  std::vector<std::u16string> names;
  for (const Setup& setup : setups) {
    setup.configure(control::AddText(form_, setup.name));
    names.push_back(setup.name);
  }
  const fs::path file = dir_ / "form.json";
  control::SaveForm(form_, names, file);

  host::Form reloaded;
  EXPECT_EQ(control::LoadForm(reloaded, file), names);
  for (const std::u16string& name : names) {
    const auto before = Saved(static_cast<control::Text&>(*form_.ControlNamed(name))).Entries();
    const auto after = Saved(static_cast<control::Text&>(*reloaded.ControlNamed(name))).Entries();
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
      EXPECT_EQ(before[i].first, after[i].first);
      EXPECT_EQ(host::TypeName(before[i].second), host::TypeName(after[i].second))
          << host::ToUtf8(name) << " " << before[i].first;
      if (before[i].second.Type() != host::VarType::Object) {
        EXPECT_EQ(before[i].second, after[i].second) << host::ToUtf8(name) << " " << before[i].first;
      }
    }
    EXPECT_EQ(form_.Box(name).Text(), reloaded.Box(name).Text()) << host::ToUtf8(name);
  }
}

TEST_F(Persistence, AFailingControlLeavesNoneOfTheFormBehind) {
  const fs::path file = dir_ / "form.json";
  control::SaveForm(form_, {u"Field1"}, file);
  std::ifstream in(file);
  std::string json((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto at = json.find("\"Field1\"");
  ASSERT_NE(at, std::string::npos);
  // A second control whose SelStart the box refuses.
  host::PropertyBag bad;
  bad.WriteProperty("SelStart", Variant::Long(-4), Variant::Integer(0));
  std::vector<host::StoredControl> controls = host::ParseForm(json, "form.json");
  controls.push_back({u"Second", "Text", bad});
  host::WriteFormFile(file, controls);

  host::Form target;
  EXPECT_EQ(ErrorOf([&] { control::LoadForm(target, file); }), host::errors::kInvalidPropertyValue);
  EXPECT_FALSE(target.Contains(u"Field1"));
  EXPECT_FALSE(target.Contains(u"Second"));
}

}  // namespace
}  // namespace kestrow::testing
