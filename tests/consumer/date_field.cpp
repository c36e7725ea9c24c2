// A user's program against an installed Kestrow: a date field on a headless form, typed into and
// left; its value must be the typed day. Exits 0 when it is.
#include <kestrow/kestrow.h>

#include <iostream>

using namespace kestrow;

int main() {
  host::HeadlessForm form;
  control::Text& due = control::AddText(form, u"Due");
  form.AddPlainBox(u"other");
  due.Engine().SetDataType(engine::dtDate);

  form.Focus(u"Due");
  form.Type(u"25122026");
  form.Focus(u"other");

  const host::Variant value = due.Engine().Value();
  if (value.Type() != host::VarType::Date || value.AsDate() != host::DateSerial(2026, 12, 25)) {
    std::cerr << "the date field does not hold 25/12/2026\n";
    return 1;
  }
  std::cout << "Kestrow " << KESTROW_VERSION_STRING << ": date field holds 25/12/2026\n";
  return 0;
}
