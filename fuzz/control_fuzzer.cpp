// libFuzzer target: decodes the input (fuzz_ops.h) into host events and property traffic on a
// headless form holding 1-3 Text controls and the plain box "other", and aborts when a control
// breaks what its setters, its edit box or its persistence promise.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_ops.h"
#include "kestrow/control/dispatch.h"
#include "kestrow/control/form_storage.h"
#include "kestrow/control/text.h"
#include "kestrow/control/type_library.h"
#include "kestrow/host/headless_form.h"
#include "kestrow/host/host_error.h"
#include "kestrow/host/objects.h"
#include "kestrow/host/runtime.h"

namespace {

using namespace kestrow;
using host::Variant;

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Done() const { return pos_ >= size_; }
  std::uint8_t U8() { return pos_ < size_ ? data_[pos_++] : 0; }
  std::uint16_t U16() { return static_cast<std::uint16_t>(U8() | (U8() << 8)); }
  std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
  std::uint32_t U32() { return U16() | (static_cast<std::uint32_t>(U16()) << 16); }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  float F32() {
    const std::uint32_t bits = U32();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  double F64() {
    const std::uint64_t bits = U32() | (static_cast<std::uint64_t>(U32()) << 32);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  std::u16string String() {
    const std::uint8_t length = U8();
    std::u16string text;
    for (int i = 0; i < length && !Done(); ++i) text.push_back(static_cast<char16_t>(U16()));
    return text;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

[[noreturn]] void Broken(const char* what, const std::string& detail = {}) {
  std::fprintf(stderr, "control_fuzzer: invariant broken: %s %s\n", what, detail.c_str());
  std::abort();
}

double EdgeNumber(int index) {
  constexpr int table = static_cast<int>(sizeof(fuzz::kEdgeNumbers) / sizeof(fuzz::kEdgeNumbers[0]));
  if (index < table) return fuzz::kEdgeNumbers[index];
  if (index == table) return std::numeric_limits<double>::quiet_NaN();
  if (index == table + 1) return std::numeric_limits<double>::infinity();
  return -std::numeric_limits<double>::infinity();
}

Variant DecodeVariant(Reader& in) {
  switch (in.U8() % fuzz::kKindCount) {
    case fuzz::kEmpty: return Variant();
    case fuzz::kNull: return Variant::Null();
    case fuzz::kInteger: return Variant::Integer(in.I16());
    case fuzz::kLong: return Variant::Long(in.I32());
    case fuzz::kSingle: return Variant::Single(in.F32());
    case fuzz::kDouble: return Variant::Double(in.F64());
    case fuzz::kDate: return Variant::FromDate(host::Date{in.F64()});
    case fuzz::kString: return Variant::String(in.String());
    case fuzz::kBoolean: return Variant::Boolean((in.U8() & 1) != 0);
    case fuzz::kFont: {
      auto font = std::make_shared<host::Font>();
      font->name = in.String();
      font->size = in.F32();
      font->weight = in.I16();
      font->charset = in.I16();
      const std::uint8_t flags = in.U8();
      font->bold = (flags & 1) != 0;
      font->italic = (flags & 2) != 0;
      font->underline = (flags & 4) != 0;
      font->strikethrough = (flags & 8) != 0;
      return Variant::Object(font);
    }
    case fuzz::kPicture: {
      auto picture = std::make_shared<host::Picture>();
      picture->width = in.I32();
      picture->height = in.I32();
      for (const char16_t c : in.String()) picture->bits.push_back(static_cast<char>(c & 0xFF));
      return Variant::Object(picture);
    }
    case fuzz::kNothing: return Variant::Object(nullptr);
    default: {
      const double n = EdgeNumber(in.U8() % fuzz::kEdgeCount);
      switch (in.U8() % 5) {
        case 0:
          if (n >= -32768.0 && n <= 32767.0) return Variant::Integer(static_cast<std::int16_t>(n));
          [[fallthrough]];
        case 1:
          if (n >= -2147483648.0 && n <= 2147483647.0) return Variant::Long(static_cast<std::int32_t>(n));
          return Variant::Double(n);
        case 2: return Variant::Single(static_cast<float>(n));
        case 3: return Variant::Double(n);
        default: return Variant::String(host::ToText(Variant::Double(n)));
      }
    }
  }
}

// --- Invariants ----------------------------------------------------------------------------

void CheckControl(const control::Text& text) {
  const host::EditBox& box = text.Text1();
  const auto size = static_cast<std::int64_t>(box.Text().size());
  if (box.SelStart() < 0) Broken("SelStart < 0");
  if (static_cast<std::int64_t>(box.SelStart()) + box.SelLength() > size || box.SelLength() < 0) {
    Broken("selection outside the text", std::to_string(box.SelStart()) + "+" + std::to_string(box.SelLength()) + " of " +
                                             std::to_string(size));
  }
  const engine::FormatMembers& m = text.Engine().Members();
  if (m.m_Length < 1) Broken("m_Length < 1", std::to_string(m.m_Length));
  if (m.m_DecimalPlaces < 0 || m.m_DecimalPlaces > 16) Broken("m_DecimalPlaces range", std::to_string(m.m_DecimalPlaces));
  if (m.m_DataType == engine::dtNumeric) {
    if (m.m_Length > 20) Broken("numeric m_Length > 20", std::to_string(m.m_Length));
    if (m.m_DecimalPlaces > 0 && m.m_Length < m.m_DecimalPlaces + 2) {
      Broken("numeric m_Length < decimals + 2", std::to_string(m.m_Length) + "/" + std::to_string(m.m_DecimalPlaces));
    }
  } else if (m.m_DecimalPlaces != 0) {
    Broken("decimals on a non-numeric field", std::to_string(m.m_DataType) + "/" + std::to_string(m.m_DecimalPlaces));
  }
  if (m.m_DataType == engine::dtDate && m.m_Length != 10) Broken("date m_Length != 10", std::to_string(m.m_Length));
  if (m.m_DataType == engine::dtLogical && m.m_Length != 5) Broken("logical m_Length != 5", std::to_string(m.m_Length));
}

bool SameValue(const Variant& a, const Variant& b) {
  if (a.Type() != b.Type()) return false;
  switch (a.Type()) {
    case host::VarType::Single: return a.AsSingle() == b.AsSingle() || (std::isnan(a.AsSingle()) && std::isnan(b.AsSingle()));
    case host::VarType::Double: return a.AsDouble() == b.AsDouble() || (std::isnan(a.AsDouble()) && std::isnan(b.AsDouble()));
    case host::VarType::Date: {
      const double x = a.AsDate().serial;
      const double y = b.AsDate().serial;
      return x == y || (std::isnan(x) && std::isnan(y));
    }
    case host::VarType::Object: {
      const auto& x = a.AsObject();
      const auto& y = b.AsObject();
      if (!x || !y) return !x && !y;
      if (x->KindName() != y->KindName()) return false;
      if (const auto* fx = dynamic_cast<const host::Font*>(x.get())) {
        const auto* fy = dynamic_cast<const host::Font*>(y.get());
        return fx->name == fy->name && fx->size == fy->size && fx->weight == fy->weight && fx->charset == fy->charset &&
               fx->bold == fy->bold && fx->italic == fy->italic && fx->underline == fy->underline &&
               fx->strikethrough == fy->strikethrough;
      }
      if (const auto* px = dynamic_cast<const host::Picture*>(x.get())) {
        const auto* py = dynamic_cast<const host::Picture*>(y.get());
        return px->width == py->width && px->height == py->height && px->bits == py->bits;
      }
      return x == y;
    }
    default: return a == b;
  }
}

std::string Show(const Variant& v) {
  std::string text = host::TypeName(v);
  if (v.Type() == host::VarType::Object && v.AsObject()) {
    if (const auto* f = dynamic_cast<const host::Font*>(v.AsObject().get())) {
      std::string name;
      for (const char16_t c : f->name) name += std::to_string(static_cast<unsigned>(c)) + ",";
      return text + "{" + name + " " + std::to_string(f->size) + " " + std::to_string(f->weight) + " " +
             std::to_string(f->charset) + " " + std::to_string(f->bold) + std::to_string(f->italic) +
             std::to_string(f->underline) + std::to_string(f->strikethrough) + "}";
    }
  }
  try {
    if (v.Type() != host::VarType::Object) text += ":" + host::ToUtf8(host::ToText(v));
  } catch (const host::HostError&) {
  }
  return text;
}

// What the box showed: a reloaded control shows the display form of its value afresh, which may
// differ from a box that last showed, say, a typed blank or padding not yet refreshed.
bool IsShownText(const std::string& key) { return key == "Text" || key == "SelText" || key == "SelStart" || key == "SelLength"; }

void CompareBags(const host::PropertyBag& original, const host::PropertyBag& reloaded, const char* how) {
  const auto& a = original.Entries();
  const auto& b = reloaded.Entries();
  if (a.size() != b.size()) Broken(how, "key count differs");
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].first != b[i].first) Broken(how, "key " + a[i].first + " vs " + b[i].first);
    if (!IsShownText(a[i].first) && !SameValue(a[i].second, b[i].second)) {
      for (std::size_t k = 0; k < a.size(); ++k) {
        std::fprintf(stderr, "  %s: %s | %s\n", a[k].first.c_str(), Show(a[k].second).c_str(), Show(b[k].second).c_str());
      }
      Broken(how, "key " + a[i].first + ": " + Show(a[i].second) + " became " + Show(b[i].second));
    }
  }
}

// A form file keeps strings as UTF-8, which has no lone surrogates: they come back as U+FFFD.
std::u16string ThroughUtf8(const std::u16string& text) { return host::FromUtf8(host::ToUtf8(text)); }

host::PropertyBag Utf8Normalised(const host::PropertyBag& bag) {
  host::PropertyBag out;
  for (const auto& [key, value] : bag.Entries()) {
    Variant copy = value;
    if (value.IsString()) copy = Variant::String(ThroughUtf8(value.AsString()));
    if (value.Type() == host::VarType::Object && value.AsObject()) {
      if (const auto* font = dynamic_cast<const host::Font*>(value.AsObject().get())) {
        auto clone = font->Clone();
        clone->name = ThroughUtf8(clone->name);
        copy = Variant::Object(clone);
      }
    }
    out.WriteProperty(key, copy, Variant());
  }
  return out;
}

// --- The harness -----------------------------------------------------------------------------

const std::filesystem::path& WorkDir() {
  static const std::filesystem::path dir = [] {
    auto path = std::filesystem::temp_directory_path() / ("kestrow-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path;
  }();
  return dir;
}

host::HeadlessForm::ComponentFactory ReadingFrom(host::PropertyBag& bag) {
  return [&bag](host::ControlSite& site, host::EditBox& box) {
    auto text = std::make_unique<control::Text>(site, box);
    text->ReadProperties(bag);
    return text;
  };
}

class Harness {
 public:
  explicit Harness(Reader& in) : in_(in) {
    const int count = 1 + in_.U8() % 3;
    const int year = 100 + in_.U16() % 9900;
    const int month = 1 + in_.U8() % 12;
    const int day = 1 + in_.U8() % 28;
    host::SetClock([=] { return host::CivilDate{year, month, day}; });
    for (int i = 0; i < count; ++i) {
      names_.push_back(u"F" + std::u16string(1, static_cast<char16_t>(u'1' + i)));
      controls_.push_back(&control::AddText(form_, names_.back()));
    }
    form_.AddPlainBox(u"other");
  }

  void Run() {
    for (int step = 0; step < 400 && !in_.Done(); ++step) {
      try {
        Step();
      } catch (const host::HostError&) {
        // The host's errors are results.
      }
      form_.TakeRecords();
      for (const control::Text* text : controls_) CheckControl(*text);
    }
  }

 private:
  std::size_t Pick() { return in_.U8() % controls_.size(); }

  // A key event checked against the box's MaxLength: a key may not lengthen a text that is at
  // or over it. Only while the same box keeps the focus (leaving shows the display form).
  template <typename Event>
  void Key(Event&& event) {
    const std::optional<std::u16string> name = form_.FocusedName();
    if (!name) return;
    host::EditBox& box = form_.Box(*name);
    const std::size_t before = box.Text().size();
    try {
      event();
    } catch (...) {
      CheckMaxLength(box, *name, before);
      throw;
    }
    CheckMaxLength(box, *name, before);
  }

  void CheckMaxLength(host::EditBox& box, const std::u16string& name, std::size_t before) {
    if (form_.FocusedName() != name || !form_.Contains(name) || &form_.Box(name) != &box) return;
    const std::int32_t max = box.MaxLength();
    const std::size_t after = box.Text().size();
    if (max > 0 && after > before && after > static_cast<std::size_t>(max)) {
      Broken("typing went past MaxLength", std::to_string(before) + " -> " + std::to_string(after) + " max " + std::to_string(max));
    }
  }

  void Step() {
    const auto members = control::TextMembers();
    const int op = in_.U8() % fuzz::kOpCount;
    if (trace_) std::fprintf(stderr, "op %d focus %s\n", op, host::ToUtf8(form_.FocusedName().value_or(u"-")).c_str());
    switch (op) {
      case fuzz::kSet: {
        control::Text& text = *controls_[Pick()];
        const control::MemberInfo& member = members[in_.U8() % members.size()];
        const Variant value = DecodeVariant(in_);
        if (trace_) std::fprintf(stderr, "  set %.*s = %s\n", static_cast<int>(member.name.size()), member.name.data(), Show(value).c_str());
        form_.Handle([&] { control::PutProperty(text, member, value); });
        break;
      }
      case fuzz::kGet: {
        control::Text& text = *controls_[Pick()];
        const control::MemberInfo& member = members[in_.U8() % members.size()];
        form_.Handle([&] { control::GetProperty(text, member); });
        break;
      }
      case fuzz::kFocus: {
        const std::size_t target = in_.U8() % (controls_.size() + 1);
        form_.Focus(target == controls_.size() ? std::u16string(u"other") : names_[target]);
        break;
      }
      case fuzz::kTab: {
        const bool backwards = (in_.U8() & 1) != 0;
        if (form_.FocusedName()) form_.Tab(backwards);
        break;
      }
      case fuzz::kType: {
        for (const char16_t c : in_.String()) {
          if (!form_.FocusedName()) break;
          if (trace_) std::fprintf(stderr, "  type %u\n", static_cast<unsigned>(c));
          try {
            Key([&] { form_.Type(std::u16string(1, c)); });
          } catch (const host::HostError&) {
            // The next character is still typed, as the runner does.
          }
          for (const control::Text* text : controls_) CheckControl(*text);
        }
        break;
      }
      case fuzz::kKey: {
        const char* key = fuzz::kKeyNames[in_.U8() % fuzz::kKeyCount];
        const auto shift = static_cast<std::int16_t>(in_.U8() % 8);
        if (form_.FocusedName()) Key([&] { form_.PressKey(key, shift); });
        break;
      }
      case fuzz::kKeyDown: {
        const std::int16_t code = in_.I16();
        const std::int16_t shift = in_.I16();
        if (form_.FocusedName()) Key([&] { form_.RawKeyDown(code, shift); });
        break;
      }
      case fuzz::kKeyPress: {
        const std::int16_t code = in_.I16();
        if (form_.FocusedName()) Key([&] { form_.RawKeyPress(code); });
        break;
      }
      case fuzz::kKeyUp: {
        const std::int16_t code = in_.I16();
        const std::int16_t shift = in_.I16();
        if (form_.FocusedName()) Key([&] { form_.RawKeyUp(code, shift); });
        break;
      }
      case fuzz::kSelect: {
        const std::int32_t start = in_.U16();
        const std::int32_t length = in_.U16();
        if (form_.FocusedName()) form_.Select(start, length);
        break;
      }
      case fuzz::kValue: {
        control::Text& text = *controls_[Pick()];
        const Variant value = DecodeVariant(in_);
        if (trace_) std::fprintf(stderr, "  value = %s\n", Show(value).c_str());
        form_.Handle([&] { text.Engine().SetValue(value); });
        break;
      }
      case fuzz::kMouse: {
        const std::u16string& name = names_[Pick()];
        const std::uint8_t action = in_.U8() % 5;
        const std::int16_t button = in_.I16();
        const std::int16_t shift = in_.I16();
        const float x = in_.F32();
        const float y = in_.F32();
        if (action == 0) form_.Click(name);
        if (action == 1) form_.DblClick(name);
        if (action >= 2) form_.Mouse(name, static_cast<host::HeadlessForm::MouseAction>(action - 2), button, shift, x, y);
        break;
      }
      case fuzz::kResize: {
        control::Text& text = *controls_[Pick()];
        const std::int32_t width = in_.I32();
        const std::int32_t height = in_.I32();
        form_.Handle([&] { text.Resize(width, height); });
        break;
      }
      case fuzz::kSaveFile: SaveAndLoadFile(Pick()); break;
      case fuzz::kBag: {
        const std::size_t index = Pick();
        ThroughBag(index, (in_.U8() & 1) != 0);
        break;
      }
      case fuzz::kCall: {
        control::Text& text = *controls_[Pick()];
        const char* method = (in_.U8() & 1) != 0 ? "ShowTalmoBox" : "Refresh";
        form_.Handle([&] { control::CallMethod(text, control::MemberNamed(method), {}); });
        break;
      }
      default: break;
    }
  }

  // A saved control is compared unfocused: the focused text is the edited form, not the stored one.
  void Blur(std::size_t index) {
    if (form_.FocusedName() == names_[index]) form_.Focus(u"other");
  }

  host::PropertyBag BagOf(const control::Text& text) {
    host::PropertyBag bag;
    text.WriteProperties(bag);
    return bag;
  }

  void SaveAndLoadFile(std::size_t index) {
    Blur(index);
    if (form_.FocusedName() == names_[index]) return;  // a refused value kept the focus
    const std::filesystem::path path = WorkDir() / "form.json";
    control::SaveForm(form_, {names_[index]}, path);
    const host::PropertyBag original = Utf8Normalised(BagOf(*controls_[index]));
    host::HeadlessForm fresh;
    fresh.AddPlainBox(u"other");
    control::LoadForm(fresh, path);
    const auto* copy = dynamic_cast<const control::Text*>(fresh.ControlNamed(names_[index]));
    if (copy == nullptr) Broken("form file lost the control");
    CheckControl(*copy);
    CompareBags(original, BagOf(*copy), "form file reload:");
  }

  void ThroughBag(std::size_t index, bool replace) {
    Blur(index);
    if (form_.FocusedName() == names_[index]) return;
    host::StoredControl stored = control::StoreText(*controls_[index], names_[index]);
    const host::PropertyBag original = stored.properties;
    host::HeadlessForm fresh;
    fresh.AddPlainBox(u"other");
    const control::Text& copy = control::PlaceStoredText(fresh, stored, "bag", u"other");
    CheckControl(copy);
    CompareBags(original, BagOf(copy), "bag reload:");
    if (replace) {
      host::PropertyBag bag = original;
      form_.Handle([&] { form_.ReplaceControl(names_[index], ReadingFrom(bag)); });
      controls_[index] = dynamic_cast<control::Text*>(form_.ControlNamed(names_[index]));
      if (controls_[index] == nullptr) Broken("replaced control missing");
    }
  }

  // KESTROW_FUZZ_TRACE=1 prints the decoded operations, for reading a finding.
  const bool trace_ = std::getenv("KESTROW_FUZZ_TRACE") != nullptr;
  Reader& in_;
  host::HeadlessForm form_;
  std::vector<std::u16string> names_;
  std::vector<control::Text*> controls_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Reader in(data, size);
  Harness harness(in);
  harness.Run();
  return 0;
}
