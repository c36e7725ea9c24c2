// What reading a hostile form costs in memory, counted by replacing the global operator new for
// this test program: the most bytes live at once during a parse, against the text's size.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "host_storage/form_testing.h"
#include "kestrow/host/values/runtime.h"

namespace {

std::atomic<std::size_t> live_bytes{0};
std::atomic<std::size_t> peak_bytes{0};

// Each block carries its size before it, so the unsized delete can count it off.
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Counted(std::size_t size) {
  void* block = std::malloc(size + kHeader);
  if (!block) throw std::bad_alloc();
  *static_cast<std::size_t*>(block) = size;
  const std::size_t now = live_bytes.fetch_add(size) + size;
  std::size_t peak = peak_bytes.load();
  while (now > peak && !peak_bytes.compare_exchange_weak(peak, now)) {
  }
  return static_cast<char*>(block) + kHeader;
}

void Uncounted(void* pointer) {
  if (!pointer) return;
  void* block = static_cast<char*>(pointer) - kHeader;
  live_bytes.fetch_sub(*static_cast<std::size_t*>(block));
  std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return Counted(size); }
void* operator new[](std::size_t size) { return Counted(size); }
void operator delete(void* pointer) noexcept { Uncounted(pointer); }
void operator delete[](void* pointer) noexcept { Uncounted(pointer); }
void operator delete(void* pointer, std::size_t /*size*/) noexcept { Uncounted(pointer); }
void operator delete[](void* pointer, std::size_t /*size*/) noexcept { Uncounted(pointer); }

namespace kestrow::host {
namespace {

using test_support::Raised;
using test_support::Unplaced;

// One file just under the size limit, the other cases smaller; unoptimised and instrumented the
// parser is some thirty times slower, so there the sizes shrink (the bound is a ratio).
#if defined(__SANITIZE_ADDRESS__) || !defined(NDEBUG)
constexpr std::size_t kSmallerBytes = std::size_t{512} << 10;
constexpr std::size_t kLargestBytes = std::size_t{1} << 20;
#else
constexpr std::size_t kSmallerBytes = std::size_t{8} << 20;
constexpr std::size_t kLargestBytes = static_cast<std::size_t>(kMaxFormFileBytes) - 64;
#endif

// `head`, then "0," repeated, then `tail`, in about `size` bytes.
std::string Padded(const std::string& head, const std::string& tail, std::size_t size = kSmallerBytes) {
  std::string text = head;
  text.reserve(size);
  while (text.size() + 2 + tail.size() < size) text += "0,";
  text += "0";
  text += tail;
  return text;
}

// Numbers cost a tree node each, sixteen bytes or more, for two bytes of text: where the form
// has no array they must not be kept.
TEST(FormMemory, HostileArraysCostLittleBeyondTheText) {
  const std::string head = R"({"form":"kestrow","version":1,"controls":)";
  const std::string control = R"([{"name":"A","class":"Text","properties":)";
  const struct {
    std::string text, problem;
  } cases[] = {
      {Padded("[", "]", kLargestBytes), "not a JSON object"},
      {Padded(head + "[", "]}"), "controls[0]: not a JSON object"},
      {Padded(head + control + R"([{"key":"K","type":"Long","value":[)", "]}]}]}"),
       "control \"A\", key \"K\": Long value is not an integer"},
      {Padded(head + control + R"([{"key":"K","type":"Empty"},)", "]}]}"),
       "control \"A\", properties[1]: not a JSON object"},
      {Padded(R"({"form":[)", R"(],"version":1,"controls":[]})"), "\"form\" is not \"kestrow\""},
  };
  for (const auto& c : cases) {
    const std::size_t before = live_bytes.load();
    peak_bytes = before;
    const auto error = Raised([&] { ParseForm(c.text, "big.json"); });
    const std::size_t used = peak_bytes.load() - before;
    ASSERT_TRUE(error) << c.problem;
    EXPECT_EQ(Unplaced(error->Description()), "big.json: " + c.problem);
    EXPECT_LE(used, c.text.size() / 4) << c.problem << ": " << used << " bytes for a text of " << c.text.size();
  }
}

// An object of millions of members, each a name and a value, is refused without keeping them.
TEST(FormMemory, HostileObjectsCostLittleBeyondTheText) {
  const auto members = [](const std::string& head, const std::string& tail) {
    std::string text = head;
    text.reserve(kSmallerBytes);
    for (std::size_t i = 0; text.size() + tail.size() + 24 < kSmallerBytes; ++i)
      text += "\"m" + std::to_string(i) + "\":0,";
    return text + "\"last\":0" + tail;
  };
  for (const std::string& text :
       {members("{", "}"), members(R"({"form":"kestrow","version":1,"controls":[{)", "}]}")}) {
    const std::size_t before = live_bytes.load();
    peak_bytes = before;
    const auto error = Raised([&] { ParseForm(text, "wide.json"); });
    const std::size_t used = peak_bytes.load() - before;
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Number(), errors::kInvalidFileFormat);
    EXPECT_TRUE(error->Description().starts_with("wide.json: ")) << error->Description();
    EXPECT_LE(used, text.size() / 4) << used << " bytes for a text of " << text.size();
  }
}

// The bound holds for a form that is kept: its tree is a small multiple of its text.
TEST(FormMemory, AValidFormCostsASmallMultipleOfItsText) {
  std::vector<StoredControl> controls;
  for (int i = 0; i < 2000; ++i) {
    StoredControl control{u"Field" + FromUtf8(std::to_string(i)), "Text", {}};
    control.properties.WriteProperty("Text", Variant::String(u"some text"), Variant());
    control.properties.WriteProperty("MaxLength", Variant::Integer(20), Variant());
    controls.push_back(std::move(control));
  }
  const std::string text = FormatForm(controls);
  const std::size_t before = live_bytes.load();
  peak_bytes = before;
  std::vector<StoredControl> read = ParseForm(text, "form.json");
  const std::size_t used = peak_bytes.load() - before;
  EXPECT_EQ(read.size(), controls.size());
  EXPECT_LE(used, 8 * text.size()) << used << " bytes for a text of " << text.size();
}

}  // namespace
}  // namespace kestrow::host
