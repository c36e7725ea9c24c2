// Types into a date, an amount and a phone field on a form and prints what the user
// would see after each key.
#include <cstdio>
#include <memory>
#include <string>

#include "kestrow/kestrow.h"

using namespace kestrow;

namespace {

// The box text with each blank as a middle dot, padded to a column of its own.
std::string Shown(const host::EditBox& box) {
  constexpr std::size_t kColumn = 20;
  std::u16string text = box.Text();
  for (char16_t& c : text) {
    if (c == u' ') c = u'\u00B7';
  }
  if (text.size() < kColumn) text.append(kColumn - text.size(), u' ');
  return host::ToUtf8(text);
}

std::string Describe(const std::u16string& key) {
  return key.size() == 1 ? "'" + host::ToUtf8(key) + "'" : host::ToUtf8(key);
}

void Play(host::Form& form, const std::u16string& name, const std::u16string& title,
          std::initializer_list<std::u16string> keys) {
  std::printf("\n%s\n", host::ToUtf8(title).c_str());
  form.Focus(name);
  host::EditBox& box = form.Box(name);
  std::printf("  %-12s %s caret %d\n", "(focus)", Shown(box).c_str(), box.SelStart());
  for (const std::u16string& key : keys) {
    if (key.size() == 1) {
      form.Type(key);
    } else {
      form.PressKey(host::ToUtf8(key), 0);
    }
    const std::string where = form.FocusedName() == name
                                  ? "caret " + std::to_string(box.SelStart())
                                  : "focus moved to " + host::ToUtf8(form.FocusedName().value_or(u"-"));
    std::printf("  %-12s %s %s\n", Describe(key).c_str(), Shown(box).c_str(), where.c_str());
  }
  form.Focus(u"other");
  std::printf("  %-12s %s value shown unfocused\n", "(leave)", Shown(box).c_str());
}

}  // namespace

int main() {
  host::Form form;
  control::Text& date = control::AddText(form, u"Date");
  control::Text& amount = control::AddText(form, u"Amount");
  control::Text& phone = control::AddText(form, u"Phone");
  form.AddPlainBox(u"other");

  date.SetDataType(control::DataType::Date);
  date.SetValue(host::Variant::String(u""));

  amount.SetDataType(control::DataType::Numeric);
  amount.SetDecimalPlaces(2);
  amount.SetInputFormat(control::InputFormat::ThousandsFormat);
  amount.SetPadChar(u"*");
  amount.SetDisplayFormat(control::DisplayFormat::AccountsFormat1);

  phone.SetInputFormat(control::InputFormat::CustomFormat);
  phone.SetMask(u"(999) 999-9999");

  Play(form, u"Date", u"Date, DD/MM/YYYY", {u"0", u"7", u"1", u"2", u"2", u"0", u"2", u"6"});
  Play(form, u"Amount", u"Amount, thousands grouping, 2 decimals, Cr./Db.",
       {u"Home", u"-", u"1", u"2", u"3", u"4", u"5", u".", u"7", u"5"});
  Play(form, u"Phone", u"Phone, (999) 999-9999",
       {u"Home", u"5", u"5", u"5", u"a", u"1", u"2", u"3", u"4", u"Backspace", u"4", u"5", u"6", u"7"});
  return 0;
}
