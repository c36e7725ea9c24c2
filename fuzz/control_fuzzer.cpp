// libFuzzer target: decodes the input (fuzz_ops.h) into host events and property traffic on a
// headless form holding 1-3 Text controls and the plain box "other", and aborts when a control
// breaks what its setters, its edit box or its persistence promise.
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "control/text_internals.h"
#include "fuzz_ops.h"
#include "invariants.h"
#include "kestrow/control/dispatch.h"
#include "kestrow/control/form_storage.h"
#include "kestrow/control/text.h"
#include "kestrow/control/type_library.h"
#include "kestrow/host/forms/form.h"
#include "kestrow/host/forms/form_page_frame.h"
#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/objects.h"
#include "kestrow/host/values/runtime.h"
#include "kestrow/proppage/format_page.h"

namespace {

using namespace kestrow;
using fuzz::Broken;
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
    const std::uint8_t code = U8();
    if (code == fuzz::kRunString) {
      const std::uint16_t count = U16();
      return std::u16string(count, static_cast<char16_t>(U16()));
    }
    const std::size_t length = code == fuzz::kLongString ? U16() : code;
    std::u16string text;
    for (std::size_t i = 0; i < length && !Done(); ++i) text.push_back(static_cast<char16_t>(U16()));
    return text;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

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

// A text to paste (fuzz_ops.h): one that users copy, or any string.
std::u16string DecodeText(Reader& in) {
  const std::uint8_t pick = in.U8();
  if ((pick & 1) == fuzz::kStringFollows) return in.String();
  return std::u16string(fuzz::kCopiedTexts[(pick / 2) % fuzz::kCopiedTextCount]);
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

host::Form::ComponentFactory ReadingFrom(host::PropertyBag& bag) {
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
      watchers_.push_back(std::make_unique<fuzz::LeaveWatcher>(*controls_.back(), form_.Box(names_.back())));
    }
    form_.AddPlainBox(u"other");
  }

  void Run() {
    for (int step = 0; step < kMaxSteps && !in_.Done(); ++step) {
      try {
        Step();
      } catch (const host::HostError&) {
        // The host's errors are results.
      }
      form_.TakeRecords();
      CheckAll("after a step");
    }
  }

 private:
  static constexpr int kMaxSteps = 4000;

  std::size_t Pick() { return in_.U8() % controls_.size(); }

  void CheckAll(const char* when) {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
      const bool focused = form_.FocusedName() == names_[i];
      fuzz::CheckSettings(*controls_[i]);
      fuzz::CheckWithinLimit(*controls_[i], focused, when);
      fuzz::CheckLiteralsInPlace(*controls_[i], focused, when);
    }
  }

  std::optional<std::size_t> FocusedControl() const {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
      if (form_.FocusedName() == names_[i]) return i;
    }
    return std::nullopt;
  }

  void Press(const fuzz::Chord& chord) {
    if (trace_) std::fprintf(stderr, "  press %s shift %d\n", chord.key, chord.shift);
    form_.PressKey(chord.key, chord.shift);
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
        if (trace_)
          std::fprintf(stderr, "  set %.*s = %s\n", static_cast<int>(member.name.size()), member.name.data(),
                       fuzz::Show(value).c_str());
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
            form_.Type(std::u16string(1, c));
          } catch (const host::HostError&) {
            // The next character is still typed, as the runner does.
          }
          CheckAll("while typing");
        }
        break;
      }
      case fuzz::kKey: {
        const char* key = fuzz::kKeyNames[in_.U8() % fuzz::kKeyCount];
        const auto shift = static_cast<std::int16_t>(in_.U8() % 8);
        if (form_.FocusedName()) Press({key, shift});
        break;
      }
      case fuzz::kKeyDown: {
        const std::int16_t code = in_.I16();
        const std::int16_t shift = in_.I16();
        if (form_.FocusedName()) form_.RawKeyDown(code, shift);
        break;
      }
      case fuzz::kKeyPress: {
        const std::int16_t code = in_.I16();
        if (form_.FocusedName()) form_.RawKeyPress(code);
        break;
      }
      case fuzz::kKeyUp: {
        const std::int16_t code = in_.I16();
        const std::int16_t shift = in_.I16();
        if (form_.FocusedName()) form_.RawKeyUp(code, shift);
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
        if (trace_) std::fprintf(stderr, "  value = %s\n", fuzz::Show(value).c_str());
        form_.Handle([&] { text.SetValue(value); });
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
        if (action >= 2) form_.Mouse(name, static_cast<host::Form::MouseAction>(action - 2), button, shift, x, y);
        break;
      }
      case fuzz::kResize: {
        control::Text& text = *controls_[Pick()];
        const std::int32_t width = in_.I32();
        const std::int32_t height = in_.I32();
        form_.Handle([&] { text.Resize(width, height); });
        break;
      }
      case fuzz::kSaveFile: SaveAndLoadFile(); break;
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
      case fuzz::kPageOpen: {
        const std::size_t shown = Pick();
        const bool both = (in_.U8() & 1) != 0;
        OpenPage(shown, both);
        break;
      }
      case fuzz::kPagePick: {
        static constexpr const char* kLists[] = {"cmbDataType", "cmbInputFormat", "cmbDisplayFormat"};
        const char* list = kLists[in_.U8() % 3];
        const std::uint8_t item = in_.U8();
        if (!page_) break;
        const auto& items = *std::get<host::DropDownList*>(page_->Find(list)->control);
        if (items.ListCount() > 0) page_->Pick(list, items.List(item % items.ListCount()));
        break;
      }
      case fuzz::kPageFocus: {
        const std::uint8_t target = in_.U8();
        if (!page_) break;
        const auto controls = page_->Page().Controls();
        page_->Focus(controls[target % controls.size()].name);
        break;
      }
      case fuzz::kPageType: {
        const std::u16string text = in_.String();
        if (!page_) break;
        for (const char16_t c : text) {
          page_->Type(std::u16string(1, c));
          CheckPage();
        }
        break;
      }
      case fuzz::kPageKey: {
        const char* key = fuzz::kKeyNames[in_.U8() % fuzz::kKeyCount];
        const auto shift = static_cast<std::int16_t>(in_.U8() % 8);
        if (page_) page_->PressKey(key, shift);
        break;
      }
      case fuzz::kPageLeave:
        if (page_) page_->Leave();
        break;
      case fuzz::kPageApply:
        if (page_) page_->Apply();
        break;
      case fuzz::kPageClose: page_.reset(); break;
      case fuzz::kClipboard: {
        std::u16string copied = DecodeText(in_);
        if (trace_) std::fprintf(stderr, "  clipboard %s\n", fuzz::Units(copied).c_str());
        form_.SetClipboard(std::move(copied));
        break;
      }
      case fuzz::kPaste: {
        const std::u16string pasted = DecodeText(in_);
        if (form_.FocusedName()) Paste(pasted);
        break;
      }
      case fuzz::kChord: {
        const fuzz::Chord& chord = fuzz::kChords[in_.U8() % fuzz::kChordCount];
        if (form_.FocusedName()) Press(chord);
        break;
      }
      case fuzz::kUndoRedo: EditThenUndoRedo(); break;
      default: break;
    }
    CheckPage();
  }

  void Paste(const std::u16string& pasted) {
    if (trace_) std::fprintf(stderr, "  paste %s\n", fuzz::Units(pasted).c_str());
    form_.Paste(pasted);
  }

  // Whether the focus moved since the record held `count` entries, even when it came back (a
  // refused date takes it back): either way the field's history is forgotten.
  bool FocusMovedSince(std::size_t count) const {
    const auto& records = form_.Records();
    return std::any_of(records.begin() + static_cast<std::ptrdiff_t>(count), records.end(),
                       [](const host::HostRecord& record) { return record.kind == host::HostRecord::Kind::Focus; });
  }

  // One user's action of kUndoRedo, decoded now and done later.
  std::function<void()> DecodeEdit() {
    switch (in_.U8() % fuzz::kEditKindCount) {
      case fuzz::kEditType: {
        const auto character = static_cast<char16_t>(in_.U16());
        return [this, character] {
          if (trace_) std::fprintf(stderr, "  type %u\n", static_cast<unsigned>(character));
          form_.Type(std::u16string(1, character));
        };
      }
      case fuzz::kEditKey: {
        const char* key = fuzz::kEditingKeys[in_.U8() % fuzz::kEditingKeyCount];
        const auto shift = static_cast<std::int16_t>(in_.U8() % 8);
        return [this, key, shift] { Press({key, shift}); };
      }
      case fuzz::kEditChord: {
        const int clipboardChords = fuzz::kChordCount - fuzz::kFirstClipboardChord;
        const fuzz::Chord& chord = fuzz::kChords[fuzz::kFirstClipboardChord + in_.U8() % clipboardChords];
        return [this, &chord] { Press(chord); };
      }
      case fuzz::kEditPaste: return [this, pasted = DecodeText(in_)] { Paste(pasted); };
      default: {
        const std::int32_t start = in_.U16();
        const std::int32_t length = in_.U16();
        return [this, start, length] {
          if (trace_) std::fprintf(stderr, "  select %d %d\n", start, length);
          form_.Select(start, length);
        };
      }
    }
  }

  // Edits in one visit to the focused field, then Ctrl+Z once for each edit that changed the
  // text and a redo chord as often: each step back gives the text before its edit, each step
  // forth the text after it. Leaving the field forgets its history, so that ends the check.
  void EditThenUndoRedo() {
    const int count = 1 + in_.U8() % fuzz::kMaxEdits;
    std::vector<std::function<void()>> edits;
    for (int i = 0; i < count; ++i) edits.push_back(DecodeEdit());
    const std::uint8_t shiftedRedos = in_.U8();
    const std::optional<std::size_t> index = FocusedControl();
    if (!index) return;
    const control::Text& text = *controls_[*index];
    const std::u16string& shown = control::Text1Of(text).Text();
    // The text before the edits, then after each edit that changed it.
    std::vector<std::u16string> texts{shown};
    for (const auto& edit : edits) {
      const std::size_t records = form_.Records().size();
      edit();
      CheckAll("after an edit");
      if (FocusMovedSince(records)) return;
      if (shown != texts.back()) texts.push_back(shown);
      if (trace_) std::fprintf(stderr, "  text %s\n", fuzz::Units(shown).c_str());
    }
    for (std::size_t step = texts.size() - 1; step > 0; --step) {
      Press(fuzz::kUndoChord);
      CheckAll("after an undo");
      fuzz::CheckRestored("undo gave another text", step, texts[step - 1], shown);
    }
    for (std::size_t step = 1; step < texts.size(); ++step) {
      const bool shifted = (shiftedRedos >> ((step - 1) % 8) & 1) != 0;
      Press(shifted ? fuzz::kShiftedRedoChord : fuzz::kRedoChord);
      CheckAll("after a redo");
      fuzz::CheckRestored("redo gave another text", step, texts[step], shown);
    }
  }

  void OpenPage(std::size_t shown, bool both) {
    page_ = std::make_unique<host::FormPageFrame>(
        form_, [](host::PageFrame& frame) { return std::make_unique<proppage::FormatPage>(frame); });
    std::vector<host::Dispatchable*> selected{controls_[shown]};
    if (both) selected.push_back(controls_[(shown + 1) % controls_.size()]);
    page_->Select(std::move(selected));
  }

  // What the page's numeric fields hold between host events: nothing, or an accepted value.
  void CheckPage() {
    if (!page_) return;
    auto numberIn = [&](std::string_view field, int low, int high) {
      const std::u16string& text = std::get<host::EditBox*>(page_->Find(field)->control)->Text();
      if (text.empty()) return;
      if (text.size() > 5 || (text.front() == u'0' && text.size() > 1) ||
          !std::ranges::all_of(text, [](char16_t c) { return c >= u'0' && c <= u'9'; })) {
        Broken("page field holds no accepted number", std::string(field) + " = " + host::ToUtf8(text));
      }
      const int value = std::stoi(host::ToUtf8(text));
      if (value < low || value > high)
        Broken("page field out of range", std::string(field) + " = " + host::ToUtf8(text));
    };
    numberIn("txtLength", 1, 32767);
    numberIn("txtDecPlaces", 0, 16);
    if (std::get<host::EditBox*>(page_->Find("txtPadChar")->control)->Text().size() > 1)
      Broken("two padding characters");
  }

  // A saved control is compared unfocused: the focused text is the edited form, not the stored one.
  bool Blur() {
    if (form_.FocusedName() && form_.FocusedName() != u"other") form_.Focus(u"other");
    return form_.FocusedName() == u"other" || !form_.FocusedName();  // a refused value keeps the focus
  }

  host::PropertyBag BagOf(const control::Text& text) {
    host::PropertyBag bag;
    text.WriteProperties(bag);
    return bag;
  }

  // The whole form through a file: the file holds what each control wrote, and every control
  // read back from it writes the same.
  void SaveAndLoadFile() {
    if (!Blur()) return;
    const std::filesystem::path path = WorkDir() / "form.json";
    control::SaveForm(form_, names_, path);
    std::vector<fuzz::SavedControl> saved;
    for (std::size_t i = 0; i < controls_.size(); ++i) saved.push_back({names_[i], BagOf(*controls_[i])});
    fuzz::CheckFileHolds(path, saved);
    host::Form fresh;
    fresh.AddPlainBox(u"other");
    control::LoadForm(fresh, path, u"other");
    for (const fuzz::SavedControl& control : saved) {
      const auto* copy = dynamic_cast<const control::Text*>(fresh.ControlNamed(control.name));
      if (copy == nullptr) Broken("form file lost a control");
      fuzz::CheckSettings(*copy);
      fuzz::CompareBags(fuzz::Utf8Normalised(control.bag), BagOf(*copy), "form file reload:");
    }
  }

  void ThroughBag(std::size_t index, bool replace) {
    if (!Blur()) return;
    host::StoredControl stored = control::StoreText(*controls_[index], names_[index]);
    const host::PropertyBag original = stored.properties;
    host::Form fresh;
    fresh.AddPlainBox(u"other");
    const control::Text& copy = control::PlaceStoredText(fresh, stored, "bag", u"other");
    fuzz::CheckSettings(copy);
    fuzz::CompareBags(original, BagOf(copy), "bag reload:");
    if (replace) {
      host::PropertyBag bag = original;
      watchers_[index].reset();  // it points into the box being replaced
      page_.reset();             // and the page may have the control selected
      try {
        form_.Handle([&] { form_.ReplaceControl(names_[index], ReadingFrom(bag)); });
      } catch (...) {
        Watch(index);
        throw;
      }
      controls_[index] = dynamic_cast<control::Text*>(form_.ControlNamed(names_[index]));
      if (controls_[index] == nullptr) Broken("replaced control missing");
      Watch(index);
    }
  }

  void Watch(std::size_t index) {
    watchers_[index] = std::make_unique<fuzz::LeaveWatcher>(*controls_[index], form_.Box(names_[index]));
  }

  // KESTROW_FUZZ_TRACE=1 prints the decoded operations, for reading a finding.
  const bool trace_ = std::getenv("KESTROW_FUZZ_TRACE") != nullptr;
  Reader& in_;
  host::Form form_;
  std::vector<std::u16string> names_;
  std::vector<control::Text*> controls_;
  // Destroyed before the form, whose boxes they watch.
  std::vector<std::unique_ptr<fuzz::LeaveWatcher>> watchers_;
  // The property page, when open; destroyed before the form, whose controls it has selected.
  std::unique_ptr<host::FormPageFrame> page_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Reader in(data, size);
  Harness harness(in);
  harness.Run();
  return 0;
}
