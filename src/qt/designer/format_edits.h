// What the task menu's Format does with the page's edits, apart from Designer: the page edits a
// copy of the field, and each format property the copy then holds differently is written to the
// field by the caller (through Designer's cursor, so that the write can be undone).
#pragma once

#include <QVariant>

#include <functional>

namespace kestrow::qt {
class TextWidget;
}

namespace kestrow::qt::designer {

// Every setting of `from`, the value included, taken by `to` as a form file would give it.
void CopySettings(const TextWidget& from, TextWidget& to);

using PropertyWriter = std::function<void(const char* property, const QVariant& value)>;

// The format properties of `edited` that `target` holds differently, through `write`, in the order
// the page writes them (each setting is judged against the data type in force). Each is compared
// with what the target holds after the writes before it, so a writer that sets the target never
// repeats what a data type or a mask brought along (a length a custom mask measured would be
// refused).
void ApplyChangedProperties(const TextWidget& edited, const TextWidget& target, const PropertyWriter& write);

}  // namespace kestrow::qt::designer
