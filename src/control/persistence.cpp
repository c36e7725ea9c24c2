// A new control's initial settings, and the reading and writing of the stored keys: each property
// as the property table stores it.
#include "control/properties.h"
#include "kestrow/control/text.h"

namespace kestrow::control {

namespace {

// The stored keys of one stage, in their stored order.
template <typename Visit>
void ForEachStored(ReadStage stage, Visit&& visit) {
  for (const Property* property : StoredProperties()) {
    if (property->stored.stage == stage) visit(*property);
  }
}

}  // namespace

// Taken as they are, without a mask rebuild or a report.
void Text::InitProperties() {
  engine::FormatMembers format;
  ForEachStored(ReadStage::Format,
                [&](const Property& property) { property.stored.read(*this, format, property.stored.initial(*this)); });
  engine_->Init(format);
}

void Text::ReadProperties(host::PropertyBag& bag) {
  engine::FormatMembers format = engine_->Settings();
  const auto read = [&](const Property& property) {
    property.stored.read(*this, format, bag.ReadProperty(property.member.name, property.stored.initial(*this)));
  };
  ForEachStored(ReadStage::Box, read);
  ForEachStored(ReadStage::Format, read);
  engine_->Load(format);
  ForEachStored(ReadStage::AfterFormat, read);
  foreign_keys_ = bag.EntriesNotRead();
}

void Text::WriteProperties(host::PropertyBag& bag) const {
  const engine::FormatMembers& format = engine_->Settings();
  for (const Property* property : StoredProperties()) {
    bag.WriteProperty(property->member.name, property->stored.write(*this, format), property->stored.initial(*this));
  }
  for (const auto& [key, value] : foreign_keys_) bag.WriteProperty(key, value, value);
}

}  // namespace kestrow::control
