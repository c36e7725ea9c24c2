// Derives the mask, the literal skeleton, the edit template and the box's length limit from the
// format settings.
#include <algorithm>

#include "engine/format_rules.h"
#include "engine/text_engine.h"

namespace kestrow::engine {

using host::Variant;

namespace {

// n copies of c; settings read back unchecked may ask for a negative count, which gives none.
std::u16string Repeat(int n, char16_t c) { return std::u16string(static_cast<std::size_t>(std::max(n, 0)), c); }

char16_t AlphaCodeOf(int inputFormat) { return kAlphaNumericCodes[static_cast<std::size_t>(inputFormat - 1)]; }

}  // namespace

std::u16string TextEngine::UngroupedNumericMask() const {
  const int l = m_Length;
  const int d = m_DecimalPlaces;
  if (d > 0) return Repeat(l - d - 1, u'9') + u"." + Repeat(d, u'9');
  return Repeat(l, u'9');
}

std::u16string TextEngine::GroupedNumericMask() const {
  const int l = m_Length;
  const int d = m_DecimalPlaces;
  std::u16string mask;
  int n = 0;
  if (d > 0 && l > d + 4) {
    mask = u"999." + Repeat(d, u'9');
    n = l - d - 4;
  } else if (d > 0) {
    mask = UngroupedNumericMask();
  } else if (l > 3) {
    mask = u"999";
    n = l - 3;
  } else {
    mask = Repeat(l, u'9');
  }
  // Groups are prepended until the integer digits are used up.
  while (n > 0) {
    if (m_InputFormat == dtThousandsFormat) {
      const int group = n >= 2 ? 2 : 1;
      mask.insert(0, Repeat(group, u'9') + u",");
      n -= group;
    } else {
      const int group = std::min(n, 3);
      mask.insert(0, Repeat(group, u'9') + u",");
      n -= group;
    }
  }
  return mask;
}

std::u16string TextEngine::NumericMask() const {
  const int l = m_Length;
  const int d = m_DecimalPlaces;
  switch (m_InputFormat) {
    case dtDigits: return UngroupedNumericMask();
    case dtDigitsSigns:
      if (d > 0 && l > d + 2) return u"#" + Repeat(l - d - 2, u'9') + u"." + Repeat(d, u'9');
      if (d > 0) return u"9." + Repeat(d, u'9');
      return l > 1 ? u"#" + Repeat(l - 1, u'9') : u"9";
    case dtThousandsFormat:
    case dtMillionsFormat: {
      std::u16string mask = m_HasFocus ? UngroupedNumericMask() : GroupedNumericMask();
      if (l > d + 2 && !mask.empty()) mask[0] = u'#';  // the sign position
      return mask;
    }
    default: return m_Mask;
  }
}

std::u16string TextEngine::DateMask() const {
  std::u16string separator;
  switch (m_DisplayFormat) {
    case dtSlashSeparator: separator = u"/"; break;
    case dtDashSeparator: separator = u"-"; break;
    case dtDotSeparator: separator = u"."; break;
    default: break;
  }
  switch (m_InputFormat) {
    case dtAmericanDate: return u"MM" + separator + u"DD" + separator + u"YYYY";
    case dtBritishDate: return u"DD" + separator + u"MM" + separator + u"YYYY";
    case dtJapanDate: return u"YYYY" + separator + u"MM" + separator + u"DD";
    default: return m_Mask;
  }
}

void TextEngine::RebuildMask() {
  switch (m_DataType) {
    case dtAlphaNumeric:
      if (m_InputFormat == dtCustomFormat) {
        m_DisplayMask = BlankedCodes(m_Mask, kAlphaNumericCodes);
      } else if (m_InputFormat >= dtAlphaDigitSpaceSymbol && m_InputFormat <= dtDigitsSpaceSigns) {
        m_Mask = Repeat(m_Length, AlphaCodeOf(m_InputFormat));
        m_DisplayMask.clear();
      }
      break;
    case dtNumeric:
      m_Mask = NumericMask();
      m_DisplayMask = BlankedCodes(m_Mask, kNumericCodes);
      break;
    case dtDate:
      m_Mask = DateMask();
      m_DisplayMask = BlankedCodes(m_Mask, kDateCodes);
      break;
    case dtPassword:
      // A password without a padding character (only from stored settings) still needs a mask
      // of its length; the star stands in for it.
      m_Mask = Repeat(m_Length, m_PadChar.empty() ? u'*' : m_PadChar.front());
      m_DisplayMask.clear();
      break;
    case dtLogical:
      if (m_InputFormat == dtTrueFalseFormat) m_Mask = u"True/False";
      if (m_InputFormat == dtYesNoFormat) m_Mask = u"Yes/No";
      m_DisplayMask = u" ";
      break;
    default: break;
  }
  const bool unlimited = m_DataType == dtNumeric && !m_HasFocus;
  text1_.SetMaxLength(unlimited ? 0 : static_cast<std::int32_t>(m_Mask.size()));
  site_->PropertyChanged("Mask");
  m_EditTemplate = BuildEditTemplate();
  positions_ = EditPositionTable(m_Mask, m_EditTemplate);
  positions_stale_ = false;
  RefreshDisplay();
}

void TextEngine::Assign(const FormatMembers& settings) {
  static_cast<FormatMembers&>(*this) = settings;
  positions_stale_ = true;  // the mask or the template may be others now
}

void TextEngine::Init(const FormatMembers& settings) {
  Assign(settings);
  m_EditTemplate = BuildEditTemplate();
}

void TextEngine::Load(const FormatMembers& stored) {
  Assign(stored);
  // A hand-edited or foreign form may hold lengths the type cannot take; typing would lose them.
  BringIntoTypeBounds();
  RebuildMask();
  if (m_DataType == dtPassword) {
    text1_.SetPasswordChar(m_PadChar);
  } else if (m_Value.IsNull() && m_DataType == dtLogical) {
    m_Value = Variant::Integer(0);
  }
  RefreshDisplay();
}

std::u16string TextEngine::BuildEditTemplate() const {
  if (!m_DisplayMask.empty()) return m_DisplayMask;
  switch (m_DataType) {
    case dtAlphaNumeric: return BlankedCodes(m_Mask, kAlphaNumericCodes);
    case dtNumeric: return BlankedCodes(m_Mask, kNumericCodes);
    case dtDate: return BlankedCodes(m_Mask, kDateCodes);
    case dtPassword: return Repeat(m_Length, u' ');
    case dtLogical: return Repeat(5, u' ');
    default: return {};
  }
}

}  // namespace kestrow::engine
