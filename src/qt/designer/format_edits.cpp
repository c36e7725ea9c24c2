#include "format_edits.h"

#include <array>

#include "kestrow/host/storage/property_bag.h"
#include "kestrow/qt/text_widget.h"

namespace kestrow::qt::designer {

namespace {

// What the page Format edits, in its own order.
constexpr std::array kFormatProperties{"dataType",      "inputFormat", "displayFormat", "length",
                                       "decimalPlaces", "padChar",     "mask"};

}  // namespace

void CopySettings(const TextWidget& from, TextWidget& to) {
  host::PropertyBag bag;
  from.saveTo(bag);
  to.loadFrom(bag);
}

void ApplyChangedProperties(const TextWidget& edited, const TextWidget& target, const PropertyWriter& write) {
  for (const char* property : kFormatProperties) {
    const QVariant value = edited.property(property);
    if (value != target.property(property)) write(property, value);
  }
}

}  // namespace kestrow::qt::designer
