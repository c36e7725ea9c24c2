// libFuzzer target: raw bytes as a form file. The reader must either give controls or refuse the
// text with an invalid-file-format error (or a conversion error of the values); whatever it gives
// must be written again by FormatForm and read back to the same controls.
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "kestrow/host/storage/form_file.h"
#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/objects.h"
#include "kestrow/host/values/runtime.h"
#include "kestrow/host/values/variant.h"

namespace {

using namespace kestrow;
using host::Variant;
using host::VarType;

constexpr std::size_t kMaxInput = std::size_t{64} << 10;

[[noreturn]] void Broken(const std::string& what) {
  std::fprintf(stderr, "form_file_fuzzer: %s\n", what.c_str());
  std::abort();
}

// A text as it comes back through UTF-8: a lone surrogate cannot be written and reads as U+FFFD.
std::u16string Normalised(std::u16string_view text) {
  std::u16string out(text);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const char16_t unit = out[i];
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
    if (high && i + 1 < out.size() && out[i + 1] >= 0xDC00 && out[i + 1] <= 0xDFFF) {
      ++i;
    } else if (high || low) {
      out[i] = u'\uFFFD';
    }
  }
  return out;
}

// Exactly the same number (the sign of zero included); NaN equals itself.
bool SameNumber(double a, double b) {
  return (std::isnan(a) && std::isnan(b)) || std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool SameValue(const Variant& a, const Variant& b) {
  if (a.Type() != b.Type()) return false;
  switch (a.Type()) {
    case VarType::Single: return SameNumber(a.AsSingle(), b.AsSingle());
    case VarType::Double: return SameNumber(a.AsDouble(), b.AsDouble());
    case VarType::Date: return SameNumber(a.AsDate().serial, b.AsDate().serial);
    case VarType::String: return Normalised(a.AsString()) == Normalised(b.AsString());
    case VarType::Object: break;
    default: return a == b;
  }
  const host::HostObject* x = a.AsObject().get();
  const host::HostObject* y = b.AsObject().get();
  if (x == nullptr || y == nullptr) return x == y;
  if (const auto* f = dynamic_cast<const host::Font*>(x)) {
    const auto* g = dynamic_cast<const host::Font*>(y);
    return g != nullptr && Normalised(f->name) == Normalised(g->name) && SameNumber(f->size, g->size) &&
           f->weight == g->weight && f->charset == g->charset && f->bold == g->bold && f->italic == g->italic &&
           f->underline == g->underline && f->strikethrough == g->strikethrough;
  }
  const auto* p = dynamic_cast<const host::Picture*>(x);
  const auto* q = dynamic_cast<const host::Picture*>(y);
  if (p == nullptr || q == nullptr) Broken("a stored object that is neither a Font nor a Picture");
  return p->width == q->width && p->height == q->height && p->bits == q->bits;
}

void CheckSame(const std::vector<host::StoredControl>& first, const std::vector<host::StoredControl>& again) {
  if (first.size() != again.size()) Broken("the number of controls changed across a write and a read");
  for (std::size_t i = 0; i < first.size(); ++i) {
    const host::StoredControl& a = first[i];
    const host::StoredControl& b = again[i];
    const std::string where = "control " + std::to_string(i) + " (" + host::ToUtf8(a.name) + ")";
    if (Normalised(a.name) != Normalised(b.name)) Broken(where + ": the name changed");
    if (a.class_name != b.class_name) Broken(where + ": the class changed");
    const auto& x = a.properties.Entries();
    const auto& y = b.properties.Entries();
    if (x.size() != y.size()) Broken(where + ": the number of keys changed");
    for (std::size_t k = 0; k < x.size(); ++k) {
      if (x[k].first != y[k].first) Broken(where + ": key " + x[k].first + " came back as " + y[k].first);
      if (!SameValue(x[k].second, y[k].second)) {
        Broken(where + ", key " + x[k].first + ": " + host::TypeName(x[k].second) + " came back as " +
               host::TypeName(y[k].second) + " or with another value");
      }
    }
  }
}

// What a reader may raise besides success: the file's own error and the values' conversions.
bool Expected(const host::HostError& error) {
  return error.Number() == host::errors::kInvalidFileFormat || error.Number() == host::errors::kOverflow ||
         error.Number() == host::errors::kTypeMismatch || error.Number() == host::errors::kInvalidUseOfNull;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > kMaxInput) return -1;  // not added to the corpus
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<host::StoredControl> first;
  try {
    first = host::ParseForm(text, "fuzz");
  } catch (const host::HostError& error) {
    if (!Expected(error)) Broken("reading raised error " + std::to_string(error.Number()) + ": " + error.Description());
    return 0;
  }
  // What was read holds only what a file can hold, so it must be written again and read back.
  std::string written;
  std::vector<host::StoredControl> again;
  try {
    written = host::FormatForm(first);
  } catch (const host::HostError& error) {
    Broken("writing what was read raised error " + std::to_string(error.Number()) + ": " + error.Description());
  }
  try {
    again = host::ParseForm(written, "fuzz (written again)");
  } catch (const host::HostError& error) {
    Broken("reading what was written raised error " + std::to_string(error.Number()) + ": " + error.Description());
  }
  CheckSame(first, again);
  // The written form is the canonical one: writing it again changes nothing.
  if (host::FormatForm(again) != written) Broken("a second write differs from the first");
  return 0;
}
