#include <gtest/gtest.h>

#include <limits>

#include "host_storage/form_testing.h"
#include "kestrow/host/values/runtime.h"

namespace kestrow::host {
namespace {

namespace fs = std::filesystem;
using test_support::FileBytes;
using test_support::Raised;
using test_support::SameValue;
using test_support::WriteBytes;

using FormFile = test_support::TempDirTest;

std::vector<StoredControl> EveryKind() {
  auto font = std::make_shared<Font>();
  font->name = u"\u65b0\u7d30\u660e\u9ad4";
  font->size = 0.1f;
  font->weight = -32768;
  font->charset = 136;
  font->bold = font->strikethrough = true;
  auto picture = std::make_shared<Picture>();
  picture->width = std::numeric_limits<std::int32_t>::min();
  picture->height = 32;
  for (int b = 0; b < 256; ++b) picture->bits += static_cast<char>(b);
  const Date date = DateSerial(1850, 6, 30);
  StoredControl first{u"Field\U0001F600", "Text", {}};
  // Written out of alphabetical order so that sorting would show.
  const std::pair<std::string, Variant> values[] = {
      {"Zed", Variant()},
      {"Null", Variant::Null()},
      {"Int", Variant::Integer(-32768)},
      {"Long", Variant::Long(std::numeric_limits<std::int32_t>::max())},
      {"Single", Variant::Single(3.4028235e38f)},
      {"Double", Variant::Double(-1e-300)},
      {"Date", Variant::FromDate(Date{date.serial - 0.75})},
      {"Text", Variant::String(u"tab\t\"quote\" \\ \u00e9 \U0001F600 \u0001")},
      {"Yes", Variant::Boolean(true)},
      {"Font", Variant::Object(font)},
      {"Icon", Variant::Object(picture)},
      {"Nothing", Variant::Object(nullptr)},
      {"", Variant::String(u"")},
  };
  for (const auto& [key, value] : values) first.properties.WriteProperty(key, value, Variant());
  return {first, StoredControl{u"Empty", "Other", {}}};
}

TEST_F(FormFile, EverySubtypeRoundTripsThroughAFile) {
  const fs::path path = dir_ / "form.json";
  const std::vector<StoredControl> written = EveryKind();
  WriteFormFile(path, written);
  const std::vector<StoredControl> read = ReadFormFile(path);
  ASSERT_EQ(read.size(), written.size());
  for (std::size_t c = 0; c < read.size(); ++c) {
    EXPECT_EQ(read[c].name, written[c].name);
    EXPECT_EQ(read[c].class_name, written[c].class_name);
    const auto& got = read[c].properties.Entries();
    const auto& want = written[c].properties.Entries();
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t k = 0; k < got.size(); ++k) {
      EXPECT_EQ(got[k].first, want[k].first);
      EXPECT_EQ(TypeName(got[k].second), TypeName(want[k].second)) << want[k].first;
      EXPECT_TRUE(SameValue(got[k].second, want[k].second)) << want[k].first;
    }
  }
  // Nothing left beside the file, and writing again replaces it whole.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
  WriteFormFile(path, {});
  EXPECT_TRUE(ReadFormFile(path).empty());
}

TEST_F(FormFile, TruncatedFilesNameTheFile) {
  const std::string text = FormatForm(EveryKind());
  const fs::path path = dir_ / "cut.json";
  for (std::size_t cut = 0; cut + 1 < text.size(); cut += 37) {
    WriteBytes(path, text.substr(0, cut));
    const auto error = Raised([&] { ReadFormFile(path); });
    ASSERT_TRUE(error) << cut;
    EXPECT_EQ(error->Number(), errors::kInvalidFileFormat);
    EXPECT_TRUE(error->Description().starts_with("cut.json: ")) << error->Description();
  }
}

TEST_F(FormFile, FilesThatCannotBeReadAreNamed) {
  const auto missing = Raised([&] { ReadFormFile(dir_ / "absent.json"); });
  ASSERT_TRUE(missing);
  EXPECT_EQ(missing->Number(), errors::kFileNotFound);
  EXPECT_NE(missing->Description().find((dir_ / "absent.json").string()), std::string::npos);

  const auto directory = Raised([&] { ReadFormFile(dir_); });
  ASSERT_TRUE(directory);
  EXPECT_EQ(directory->Number(), errors::kPathFileAccessError);
}

TEST_F(FormFile, SizeLimitHoldsToTheByte) {
  const fs::path path = dir_ / "big.json";
  std::string atLimit = FormatForm(EveryKind());
  atLimit.resize(kMaxFormFileBytes, ' ');
  WriteBytes(path, atLimit);
  EXPECT_EQ(ReadFormFile(path).size(), 2u);

  fs::resize_file(path, kMaxFormFileBytes + 1);  // the added byte is NUL: not read at all
  const auto error = Raised([&] { ReadFormFile(path); });
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Number(), errors::kInvalidFileFormat);
  EXPECT_EQ(error->Description(), "big.json: larger than 64 MiB");
  const auto textError = Raised([&] { ParseForm(std::string(kMaxFormFileBytes + 1, ' '), "t"); });
  ASSERT_TRUE(textError);
  EXPECT_EQ(textError->Description(), "t: larger than 64 MiB");
}

// Each failure leaves the old file as it was and no temporary file behind.
TEST_F(FormFile, FailedWritesLeaveTheOldFile) {
  const fs::path path = dir_ / "form.json";
  WriteFormFile(path, EveryKind());
  const std::string before = FileBytes(path);
  const fs::path blocked = dir_ / ("form.json.tmp-" + std::to_string(::getpid()));
  std::vector<StoredControl> unstorable{StoredControl{u"New", "Text", {}}};
  unstorable[0].properties.WriteProperty("X", Variant::Double(std::numeric_limits<double>::quiet_NaN()), Variant());
  const auto expectUntouched = [&](const std::optional<HostError>& error, int number) {
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Number(), number);
    EXPECT_EQ(FileBytes(path), before);
    for (const auto& entry : fs::directory_iterator(dir_)) {
      EXPECT_FALSE(entry.is_regular_file() && entry.path() != path) << entry.path();
    }
  };

  expectUntouched(Raised([&] { WriteFormFile(path, unstorable); }), errors::kInvalidPropertyValue);

  // What someone put at a guessable temporary name neither blocks a save nor is touched by it.
  fs::create_directory(blocked);
  WriteFormFile(path, {});
  EXPECT_TRUE(ReadFormFile(path).empty());
  EXPECT_TRUE(fs::is_directory(blocked));
  fs::remove(blocked);
  WriteFormFile(path, EveryKind());

  if (::geteuid() != 0) {  // permissions do not bind root
    fs::permissions(dir_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    expectUntouched(Raised([&] { WriteFormFile(path, {}); }), errors::kPathFileAccessError);
  }
}

TEST_F(FormFile, TargetThatIsADirectoryStays) {
  fs::create_directory(dir_ / "form.json");
  WriteBytes(dir_ / "form.json" / "inside", "x");
  const auto error = Raised([&] { WriteFormFile(dir_ / "form.json", EveryKind()); });
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Number(), errors::kPathFileAccessError);
  EXPECT_NE(error->Description().find("form.json"), std::string::npos);
  EXPECT_EQ(FileBytes(dir_ / "form.json" / "inside"), "x");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);  // no temporary left
}

}  // namespace
}  // namespace kestrow::host
