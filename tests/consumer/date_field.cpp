// A user's program against an installed Kestrow: a date field on a form, typed into and
// left; its value must be the typed day. Exits 0 when it is.
#include <kestrow/kestrow.h>

#include <iostream>

using namespace kestrow;

int main() {
  host::Form form;
  control::Text& due = control::AddText(form, u"Due");
  form.AddPlainBox(u"other");
  due.SetDataType(control::DataType::Date);

  form.Focus(u"Due");
  form.Type(u"25122026");
  form.Focus(u"other");

  const host::Variant value = due.Value();
  if (value.Type() != host::VarType::Date || value.AsDate() != host::DateSerial(2026, 12, 25)) {
    std::cerr << "the date field does not hold 25/12/2026\n";
    return 1;
  }
  std::cout << "Kestrow " << KESTROW_VERSION_STRING << ": date field holds 25/12/2026\n";
  return 0;
}
