#include "conversions.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cmath>
#include <limits>

#include "kestrow/host/values/runtime.h"

namespace kestrow::qt {

namespace {

// The host counts days from 30 December 1899.
const QDate kDayZero(1899, 12, 30);
constexpr int kSecondsPerDay = 86400;

QVariant DateOf(host::Date date) {
  const host::CivilDate day = host::CivilOf(date);
  const QDate qdate(day.year, day.month, day.day);
  const int seconds = host::SecondsOfDay(date);
  if (seconds == 0) return qdate;
  return QDateTime(qdate, QTime(0, 0).addSecs(seconds));
}

host::Date HostDateOf(const QDate& date, int seconds) {
  return host::Date{static_cast<double>(kDayZero.daysTo(date)) + static_cast<double>(seconds) / kSecondsPerDay};
}

}  // namespace

QVariant ToQVariant(const host::Variant& value) {
  switch (value.Type()) {
    case host::VarType::Empty:
    case host::VarType::Null:
    case host::VarType::Object: return {};
    case host::VarType::Integer: return static_cast<int>(value.AsInteger());
    case host::VarType::Long: return static_cast<int>(value.AsLong());
    case host::VarType::Single: return static_cast<double>(value.AsSingle());
    case host::VarType::Double: return value.AsDouble();
    case host::VarType::Date: return DateOf(value.AsDate());
    case host::VarType::String: return ToQString(value.AsString());
    case host::VarType::Boolean: return value.AsBoolean();
  }
  return {};
}

host::Variant FromQVariant(const QVariant& value) {
  if (!value.isValid() || value.isNull()) return host::Variant::Null();
  switch (value.typeId()) {
    case QMetaType::Bool: return host::Variant::Boolean(value.toBool());
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::LongLong: {
      const qlonglong number = value.toLongLong();
      if (number >= std::numeric_limits<std::int16_t>::min() && number <= std::numeric_limits<std::int16_t>::max()) {
        return host::Variant::Integer(static_cast<std::int16_t>(number));
      }
      if (number >= std::numeric_limits<std::int32_t>::min() && number <= std::numeric_limits<std::int32_t>::max()) {
        return host::Variant::Long(static_cast<std::int32_t>(number));
      }
      return host::Variant::Double(static_cast<double>(number));
    }
    case QMetaType::Float:
    case QMetaType::Double: return host::Variant::Double(value.toDouble());
    case QMetaType::QDate: return host::Variant::FromDate(HostDateOf(value.toDate(), 0));
    case QMetaType::QDateTime: {
      const QDateTime moment = value.toDateTime();
      return host::Variant::FromDate(HostDateOf(moment.date(), moment.time().msecsSinceStartOfDay() / 1000));
    }
    default: return host::Variant::String(FromQString(value.toString()));
  }
}

QFont ToQFont(const host::Font& font) {
  QFont qfont(ToQString(font.name));
  if (font.size > 0) qfont.setPointSizeF(static_cast<double>(font.size));
  qfont.setBold(font.bold);
  qfont.setItalic(font.italic);
  qfont.setUnderline(font.underline);
  qfont.setStrikeOut(font.strikethrough);
  return qfont;
}

host::Font FromQFont(const QFont& qfont) {
  host::Font font;
  font.name = FromQString(qfont.family());
  font.size = static_cast<float>(qfont.pointSizeF());
  font.bold = qfont.bold();
  font.weight = static_cast<std::int16_t>(qfont.bold() ? 700 : 400);
  font.italic = qfont.italic();
  font.underline = qfont.underline();
  font.strikethrough = qfont.strikeOut();
  return font;
}

}  // namespace kestrow::qt
