// Between the host's values and Qt's: texts (both 16-bit), variants, sizes (twips and pixels) and
// fonts.
#pragma once

#include <QFont>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <string>
#include <string_view>

#include "kestrow/host/values/objects.h"
#include "kestrow/host/values/variant.h"

namespace kestrow::qt {

inline QString ToQString(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}
inline std::u16string FromQString(const QString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

// The natural Qt type of a value: QString, int, double, bool, QDate (QDateTime with a time of
// day); an invalid QVariant for Null and Empty.
QVariant ToQVariant(const host::Variant& value);
// Back: an int fitting 16 bits is an Integer, else a Long; an invalid QVariant is Null.
host::Variant FromQVariant(const QVariant& value);

// Twips at the screen's 96 pixels an inch.
inline constexpr int kTwipsPerPixel = 15;
inline int ToPixels(std::int32_t twips) { return twips / kTwipsPerPixel; }
inline std::int32_t ToTwips(int pixels) { return pixels * kTwipsPerPixel; }

QFont ToQFont(const host::Font& font);
host::Font FromQFont(const QFont& font);

}  // namespace kestrow::qt
