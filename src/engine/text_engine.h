// The format model of the Text control and everything that turns keystrokes into text and text
// into values. It works on the control's inner edit box (Text1) and the host's site; the control
// hands it Text1's events.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "engine/edit_history.h"
#include "engine/edit_position_table.h"
#include "engine/format_types.h"
#include "kestrow/host/controls/text_box.h"
#include "kestrow/host/forms/control_site.h"
#include "kestrow/host/values/variant.h"

namespace kestrow::engine {

struct DataTypeRules;

// The control's settings and the strings derived from them. What a new control starts from is
// the control's property table's (each stored property's default), not this.
struct FormatMembers {
  host::Variant m_Value;
  std::int16_t m_Length = 0;
  std::int16_t m_DecimalPlaces = 0;
  std::int16_t m_InputFormat = 0;
  std::int16_t m_DisplayFormat = 0;
  std::u16string m_PadChar;
  std::u16string m_Mask;
  std::u16string m_DisplayMask;  // the literal skeleton
  bool m_AutoTab = false;
  bool m_AutoSelect = false;
  std::int16_t m_DataType = 0;
  bool m_HasFocus = false;
  std::u16string m_EditTemplate;
};

// Which settings BringIntoTypeBounds changed.
struct TypeBoundsChange {
  bool length = false;
  bool decimalPlaces = false;
};

class TextEngine : private FormatMembers {
 public:
  TextEngine(host::TextBox& text1, host::ControlSite& site) : text1_(text1), site_(&site) {}

  // Where reports, events, focus moves and message boxes go from now on.
  void SetSite(host::ControlSite& site) { site_ = &site; }

  // --- Format properties ---------------------------------------------------------------------
  std::int32_t DataType() const { return m_DataType; }
  void SetDataType(std::int32_t New_DataType);
  std::int32_t InputFormat() const { return m_InputFormat; }
  void SetInputFormat(std::int32_t New_InputFormat);
  std::int32_t DisplayFormat() const { return m_DisplayFormat; }
  void SetDisplayFormat(std::int32_t New_DisplayFormat);
  const std::u16string& PadChar() const { return m_PadChar; }
  void SetPadChar(std::u16string_view New_PadChar);
  const std::u16string& Mask() const { return m_Mask; }
  void SetMask(std::u16string_view New_Mask);
  bool AutoTab() const { return m_AutoTab; }
  void SetAutoTab(bool New_AutoTab);
  bool AutoSelect() const { return m_AutoSelect; }
  void SetAutoSelect(bool New_AutoSelect);
  std::int16_t Length() const { return m_Length; }
  void SetLength(std::int16_t New_Length);
  std::int16_t DecimalPlaces() const { return m_DecimalPlaces; }
  void SetDecimalPlaces(std::int16_t New_DecimalPlaces);

  // Reading while focused converts the edited text and stores the result.
  host::Variant Value();
  void SetValue(const host::Variant& New_Value);

  // The control's text alignment (0 left, 1 right, 2 centre), held by Text1.
  std::int32_t Alignment() const { return text1_.Alignment(); }
  void SetAlignment(std::int32_t New_Alignment);

  // --- The settings as stored -----------------------------------------------------------------
  const FormatMembers& Settings() const { return *this; }
  // Settings taken exactly as given, the derived strings too: nothing rebuilt, nothing reported.
  void Assign(const FormatMembers& settings);
  // A new control's settings, taken as they are: no mask rebuild, no report; the edit template
  // is the one they give.
  void Init(const FormatMembers& settings);
  // Stored settings, taken unchecked; the length and decimals are then brought into the data
  // type's bounds, the mask rebuilt and the value shown, reporting only "Mask" and "Text".
  void Load(const FormatMembers& stored);

  // --- Mask construction and display --------------------------------------------------------
  void RebuildMask();
  std::u16string BuildEditTemplate() const;
  void RefreshDisplay();

  // --- Edit positions (caret positions are 0-based) -----------------------------------------
  std::int32_t FirstEditPos() const;
  std::int32_t LastEditPos() const;
  std::int32_t NextEditPos(std::int32_t p) const { return Positions().Next(p); }
  std::int32_t PrevEditPos(std::int32_t p) const { return Positions().Previous(p); }
  std::u16string DeleteAndShift(std::u16string_view text, std::int32_t start, std::int32_t count) const;
  std::u16string StripLiterals(std::u16string_view text) const;

  // --- Handlers of Text1 ----------------------------------------------------------------------
  void Text1_GotFocus();
  void Text1_LostFocus();
  void Text1_Change();
  void Text1_KeyPress(std::int16_t& KeyAscii);
  void Text1_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift);
  void Text1_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift);

  // --- Beyond the keys: the clipboard and the caret -----------------------------------------
  // Pastes the first line of `text` at the caret of the focused field: a whole number, date or
  // yes/no the field can hold becomes its value; otherwise the characters go in as typed keys
  // (each raising KeyPress), a character equal to the literal at the caret steps over it, and
  // one the caret's position refuses is skipped. A paste never moves the focus and is one step
  // of the history.
  void Paste(std::u16string_view text);
  // After a click that selected nothing: a caret standing before a literal moves on to the next
  // edit position (to the end of the text when none follows), so the next key is not refused.
  void MoveCaretOffLiteral();

 private:
  // One action of the user's: what it writes is one step of the history.
  class UserStep {
   public:
    explicit UserStep(TextEngine& engine);
    ~UserStep();
    UserStep(const UserStep&) = delete;
    UserStep& operator=(const UserStep&) = delete;

   private:
    TextEngine& engine_;
  };

  // Mask construction
  std::u16string NumericMask() const;
  std::u16string GroupedNumericMask() const;
  std::u16string UngroupedNumericMask() const;
  std::u16string DateMask() const;

  // Edit positions
  // Rebuilt on first use after the mask or template changed; every key asks for it.
  const EditPositionTable& Positions() const {
    if (positions_stale_) RebuildPositions();
    return positions_;
  }
  void RebuildPositions() const;
  bool IsEditPos(std::int32_t index) const { return Positions().IsEditPos(index); }
  std::int32_t FieldEnd(std::int32_t position) const { return Positions().FieldEnd(position); }
  // The first position, `start` or after, from which the text up to `end` (exclusive, the end of
  // the caret's field) is one repeated character.
  std::int32_t UniformTailStart(std::int32_t start, std::int32_t end) const;

  // Display
  void PlaceChar(std::int32_t position, char16_t character);
  void ShowAlphaNumeric();
  void ShowNumeric();
  void ShowDate();
  void ShowPassword();
  void ShowLogical();

  // Keystrokes
  // Where a key goes: the caret, or over a selection the first edit position at or after its
  // start.
  std::int32_t TypingPosition() const;
  bool PassesClassFilter(std::int16_t keyAscii, std::int32_t position) const;
  void PressLogicalKey(std::int16_t keyAscii);
  // Shows the logical value chosen (1 or 0) and selects its word, as a logical key does.
  void ChooseLogical(std::int16_t value);
  void TypeOverSelection(std::int16_t& keyAscii);
  void Backspace();
  void TypeDecimalPoint();
  // What a typed character wrote: the text from `start` to `end` (exclusive), where the
  // character itself stands at `start`; what follows `end` moved on by one place or stayed.
  struct TypedPart {
    std::int32_t start = 0;
    std::int32_t end = 0;
  };
  // None when there was no field to type into.
  std::optional<TypedPart> InsertAtCaret(char16_t character);
  void ApplyCaseConversion();
  void ConvertCaseAround(TypedPart typed);
  void ConvertCaseOf(std::size_t start, std::size_t end);
  void NoteCaseConverted(std::uint64_t revision_before);
  void NumericEnter();
  void MoveCaret(std::int32_t position);
  bool NothingSelected() const { return text1_.SelLength() == 0; }
  // A focus move asked for by a typed key; none in the middle of a paste.
  void SendTab(std::u16string_view keys);

  // Deletion, the clipboard and the history
  void DeleteSelectionOrNext();
  void Cut();
  bool PasteWholeValue(std::u16string_view line);
  // The pasted character, when it equals the literal at the caret, steps over it.
  bool StepOverLiteral(char16_t character);
  void Undo();
  void Redo();
  void Restore(const std::optional<EditHistory::Restored>& step);
  EditHistory::Selection CurrentSelection() const { return {text1_.SelStart(), text1_.SelLength()}; }
  // Every write of the box's text goes through these, so that a user's step can be taken back.
  void WriteText(std::u16string_view text);
  void WriteRange(std::int32_t start, std::int32_t count, std::u16string_view replacement);

  // Value conversion
  host::Variant ReadEditedValue() const;
  host::Variant ReadEditedNumber() const;
  host::Variant ReadEditedDate() const;
  host::Variant ConvertForNumeric(const host::Variant& v) const;
  host::Variant ConvertForDate(const host::Variant& v) const;
  host::Variant ConvertForLogical(const host::Variant& v) const;
  host::Variant DateFromParts(std::u16string_view text) const;

  // Setters
  // The length and decimal places the data type admits: a date is 10 long, a yes/no 5, a number
  // at most 20 with at most 16 decimals and room for a digit and the point, other types have no
  // decimals, and every field at least one place. Nothing is reported.
  TypeBoundsChange BringIntoTypeBounds();
  void Refuse(std::u16string_view prompt);
  // Reports a setting changed; the history of the field's edits is forgotten with it.
  void ReportSetting(std::string_view property);
  void ApplyDataTypeDefaults(const DataTypeRules& rules);

  host::TextBox& text1_;
  host::ControlSite* site_;
  // Worked out by RebuildMask, or on first use after Init or Load.
  mutable EditPositionTable positions_;
  mutable bool positions_stale_ = true;
  // What the last character placed left known about the rest of its field: at the box's text
  // revision `revision`, characters `start` to `end` (exclusive) are one repeated character.
  struct UniformTail {
    std::uint64_t revision = 0;
    std::int32_t start = 0;
    std::int32_t end = -1;
  };
  UniformTail tail_;
  // The box's text revision at which its whole text was last known to be in a case, and which.
  struct CaseConverted {
    std::uint64_t revision = std::numeric_limits<std::uint64_t>::max();
    std::int16_t displayFormat = 0;
  };
  CaseConverted case_converted_;
  EditHistory history_;
  bool pasting_ = false;
};

}  // namespace kestrow::engine
