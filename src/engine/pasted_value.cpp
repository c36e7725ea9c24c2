#include "pasted_value.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "engine/common_module.h"
#include "engine/format_types.h"
#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/runtime.h"

namespace kestrow::engine {

namespace {

// Copied text often carries tabs and no-break spaces (thousands in many locales) for blanks.
bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\u00A0' || c == u'\u202F'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool AllDigits(std::u16string_view text) { return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit); }

constexpr std::u16string_view kCurrencySigns = u"$\u00A2\u00A3\u00A5\u20AC\u20B9\u20A9\u20BD\u20BA\u20AA\u20AB";

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

bool SameLetters(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return Upper(x) == Upper(y); });
}

// Takes `prefix` off the front of `text` (and the blanks after it); whether it was there.
bool TakeFront(std::u16string_view& text, char16_t prefix) {
  if (text.empty() || text.front() != prefix) return false;
  text = Trim(text.substr(1));
  return true;
}

enum class AccountSide { None, Credit, Debit };

// A trailing "Cr" or "Db", as the control shows the sides of an account (" Cr.", " Db.").
AccountSide TakeAccountSide(std::u16string_view& text) {
  std::u16string_view rest = text;
  if (!rest.empty() && rest.back() == u'.') rest.remove_suffix(1);
  if (rest.size() < 2) return AccountSide::None;
  const std::u16string_view word = rest.substr(rest.size() - 2);
  const AccountSide side = SameLetters(word, u"CR")   ? AccountSide::Credit
                           : SameLetters(word, u"DB") ? AccountSide::Debit
                                                      : AccountSide::None;
  if (side != AccountSide::None) text = Trim(rest.substr(0, rest.size() - 2));
  return side;
}

// Digits grouped by commas or blanks ("1,234,567", "12,34,567", "1 234"), with the groups
// joined; nothing for anything else.
std::optional<std::u16string> GroupedDigits(std::u16string_view text) {
  std::u16string digits;
  bool afterSeparator = true;  // no separator may come first
  for (const char16_t c : text) {
    if (IsDigit(c)) {
      digits.push_back(c);
      afterSeparator = false;
    } else if (c == u',' || IsBlank(c)) {
      if (afterSeparator) return std::nullopt;
      afterSeparator = true;
    } else {
      return std::nullopt;
    }
  }
  if (afterSeparator && !digits.empty()) return std::nullopt;
  return digits;
}

std::int16_t DigitsValue(std::u16string_view digits) {
  int value = 0;
  for (const char16_t c : digits) value = value * 10 + (c - u'0');
  return static_cast<std::int16_t>(value);
}

std::optional<host::Date> ValidDate(std::u16string_view day, std::u16string_view month, std::u16string_view year) {
  if (day.size() > 2 || month.size() > 2 || year.size() > 4) return std::nullopt;
  std::int16_t d = DigitsValue(day), m = DigitsValue(month), y = DigitsValue(year);
  if (!CommonModule::IsValidDate(d, m, y)) return std::nullopt;
  return host::DateSerial(y, m, d);
}

}  // namespace

std::optional<double> ReadPastedNumber(std::u16string_view text) {
  text = Trim(text);
  int negatives = 0;
  const AccountSide side = TakeAccountSide(text);
  if (side == AccountSide::Debit) ++negatives;
  if (text.size() >= 2 && text.front() == u'(' && text.back() == u')') {
    ++negatives;
    text = Trim(text.substr(1, text.size() - 2));
  }
  // A sign and a currency sign, in either order.
  bool hasSign = false;
  for (int i = 0; i < 2; ++i) {
    if (!hasSign && TakeFront(text, u'-')) {
      ++negatives;
      hasSign = true;
    } else if (!hasSign && TakeFront(text, u'+')) {
      hasSign = true;
    } else if (!text.empty() && kCurrencySigns.find(text.front()) != std::u16string_view::npos) {
      text = Trim(text.substr(1));
    }
  }
  if (negatives > 1 || (negatives == 1 && side == AccountSide::Credit)) return std::nullopt;

  const std::size_t point = text.find(u'.');
  const std::optional<std::u16string> whole = GroupedDigits(text.substr(0, point));
  const std::u16string_view fraction =
      point == std::u16string_view::npos ? std::u16string_view{} : text.substr(point + 1);
  if (!whole || (!fraction.empty() && !AllDigits(fraction)) || (whole->empty() && fraction.empty()))
    return std::nullopt;
  try {
    return host::ReadNumber((negatives == 1 ? u"-" : u"") + *whole + u"." + std::u16string(fraction));
  } catch (const host::HostError&) {
    return std::nullopt;  // beyond what a double holds
  }
}

std::optional<host::Date> ReadPastedDate(std::u16string_view text, std::int32_t inputFormat) {
  text = Trim(text);
  std::vector<std::u16string_view> parts;
  std::u16string separators;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && std::u16string_view(u"/-.").find(text[i]) == std::u16string_view::npos) continue;
    parts.push_back(text.substr(start, i - start));
    if (i < text.size()) separators.push_back(text[i]);
    start = i + 1;
  }
  if (parts.size() != 3 || !std::all_of(parts.begin(), parts.end(), AllDigits)) return std::nullopt;
  std::optional<host::Date> date;
  switch (inputFormat) {
    case dtAmericanDate: date = ValidDate(parts[1], parts[0], parts[2]); break;
    case dtBritishDate: date = ValidDate(parts[0], parts[1], parts[2]); break;
    case dtJapanDate: date = ValidDate(parts[2], parts[1], parts[0]); break;
    default: break;
  }
  if (!date && separators == u"--" && parts[0].size() == 4) date = ValidDate(parts[2], parts[1], parts[0]);
  return date;
}

std::optional<std::int16_t> ReadPastedChoice(std::u16string_view text) {
  text = Trim(text);
  static constexpr std::array<std::u16string_view, 4> kYes{u"YES", u"TRUE", u"Y", u"1"};
  static constexpr std::array<std::u16string_view, 4> kNo{u"NO", u"FALSE", u"N", u"0"};
  const auto matches = [&](std::u16string_view word) { return SameLetters(text, word); };
  if (std::any_of(kYes.begin(), kYes.end(), matches)) return 1;
  if (std::any_of(kNo.begin(), kNo.end(), matches)) return 0;
  return std::nullopt;
}

}  // namespace kestrow::engine
