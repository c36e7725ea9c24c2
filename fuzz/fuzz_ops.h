// The byte encoding the control fuzzer decodes, shared with the seed encoder (make_seed).
//
// Input: a header, then operations until the bytes run out. Numbers are little-endian; reading
// past the end gives zeros, so every byte string is a valid program.
//   header:  u8 controls (1 + n % 3), u16 year, u8 month, u8 day   (the host's clock)
//   string:  u8 length, then that many u16 code units; length 254 is a run (u16 count, u16 code
//            unit: that unit count times) and 255 a long string (u16 length, then the units), so
//            fields of thousands of places are reached
//   variant: u8 kind (VariantKind), then its payload (see DecodeVariant in control_fuzzer.cpp)
//   text:    u8 pick: even picks one of kCopiedTexts ((pick / 2) % its count), odd (kStringFollows)
//            says a string follows
//   edit:    u8 kind (EditKind), then its arguments as listed there
//   op:      u8 code (Op % kOpCount), then its arguments as listed below. The inputs kept in
//            regressions/ write each op as its own code, below kOpCount, so that ops appended
//            later leave them decoding the same.
#pragma once

#include <cstdint>
#include <string_view>

namespace kestrow::fuzz {

enum Op : std::uint8_t {
  kSet = 0,        // u8 control, u8 member, variant
  kGet = 1,        // u8 control, u8 member
  kFocus = 2,      // u8 element (controls, then "other")
  kTab = 3,        // u8 backwards
  kType = 4,       // string
  kKey = 5,        // u8 key (KeyNames), u8 shift
  kKeyDown = 6,    // i16 code, i16 shift
  kKeyPress = 7,   // i16 code
  kKeyUp = 8,      // i16 code, i16 shift
  kSelect = 9,     // u16 start, u16 length
  kValue = 10,     // u8 control, variant
  kMouse = 11,     // u8 control, u8 action (click, dblclick, down, move, up), i16 button, i16 shift, f32 x, f32 y
  kResize = 12,    // u8 control, i32 width, i32 height
  kSaveFile = 13,  // save the form to a form file, reload it into a fresh form, compare
  kBag = 14,       // u8 control, u8 replace: through a property bag; replace puts the copy on the form
  kCall = 15,      // u8 control, u8 method (Refresh, ShowTalmoBox)
  // The property page Format; each does nothing while no page is open (open one with kPageOpen).
  kPageOpen = 16,   // u8 control shown, u8 also select the next control
  kPagePick = 17,   // u8 list (data type, input format, display format), u8 item index
  kPageFocus = 18,  // u8 page control (in tab order)
  kPageType = 19,   // string
  kPageKey = 20,    // u8 key (KeyNames), u8 shift
  kPageLeave = 21,
  kPageApply = 22,
  kPageClose = 23,
  // The clipboard and the history of a visit.
  kClipboard = 24,  // text: put on the host's clipboard
  kPaste = 25,      // text: the host's own paste command, to the focused element
  kChord = 26,      // u8 chord (kChords)
  kUndoRedo = 27,   // u8 edits (1 + n % kMaxEdits), each an edit, u8 redo chords (bit i % 8 set: redo i,
                    // from 0, is Ctrl+Shift+Z): the edits, then Ctrl+Z for each that changed the text,
                    // then a redo for each
  kOpCount = 28,
};

// One action of the user's inside kUndoRedo.
enum EditKind : std::uint8_t {
  kEditType = 0,    // u16 character
  kEditKey = 1,     // u8 key (kEditingKeys), u8 shift
  kEditChord = 2,   // u8 chord, among the cut and paste chords of kChords
  kEditPaste = 3,   // text: the host's paste command
  kEditSelect = 4,  // u16 start, u16 length
  kEditKindCount = 5,
};

inline constexpr int kMaxEdits = 16;

enum VariantKind : std::uint8_t {
  kEmpty = 0,
  kNull = 1,
  kInteger = 2,   // i16
  kLong = 3,      // i32
  kSingle = 4,    // f32
  kDouble = 5,    // f64
  kDate = 6,      // f64 serial
  kString = 7,    // string
  kBoolean = 8,   // u8
  kFont = 9,      // string name, f32 size, i16 weight, i16 charset, u8 flags (bold, italic, underline, strike)
  kPicture = 10,  // i32 width, i32 height, string bits (low bytes)
  kNothing = 11,  // an object variant holding no object
  kEdge = 12,     // u8 number (kEdgeNumbers), u8 subtype (Integer, Long, Single, Double, String)
  kKindCount = 13,
};

inline constexpr std::uint8_t kRunString = 254;
inline constexpr std::uint8_t kLongString = 255;

inline constexpr double kEdgeNumbers[] = {
    0.0,          -1.0,         1.0,          32767.0,      32768.0, -32768.0,  -32769.0,  70000.0, 1e20,  -1e20,
    2147483647.0, 2147483648.0, 4294967295.0, 4294967296.0, 0.5,     1.5,       2.5,       -0.5,    1e-20, 65535.0,
    20.0,         21.0,         16.0,         17.0,         1e300,   2958465.0, -657434.0, 10.0,    5.0,   255.0};
// The last two entries are NaN and infinity, built at run time.
inline constexpr int kEdgeCount = static_cast<int>(sizeof(kEdgeNumbers) / sizeof(kEdgeNumbers[0])) + 3;

inline constexpr const char* kKeyNames[] = {
    "Enter", "Backspace", "Escape", "Delete", "Home", "End", "Left", "Up", "Right", "Down", "Insert", "F4", "Tab",
    "A",     "C",         "V",      "X",      "Z",    "Y",   "N",    "T",  "F",     "E",    "D",      "M"};
inline constexpr int kKeyCount = static_cast<int>(sizeof(kKeyNames) / sizeof(kKeyNames[0]));

// Keys that edit or move the caret and never take back or make again (no Ctrl+Z, Ctrl+Y).
inline constexpr const char* kEditingKeys[] = {"Backspace", "Delete", "Insert", "Home", "End", "Left", "Right"};
inline constexpr int kEditingKeyCount = static_cast<int>(sizeof(kEditingKeys) / sizeof(kEditingKeys[0]));

// A key with its shift state (1 Shift, 2 Ctrl).
struct Chord {
  const char* key;
  std::int16_t shift;
};

// Undo, the two redo chords, then the clipboard's paste and cut chords.
inline constexpr Chord kChords[] = {{"Z", 2}, {"Y", 2}, {"Z", 3}, {"V", 2}, {"Insert", 1}, {"X", 2}, {"Delete", 1}};
inline constexpr int kChordCount = static_cast<int>(sizeof(kChords) / sizeof(kChords[0]));
inline constexpr int kFirstClipboardChord = 3;
inline constexpr Chord kUndoChord = kChords[0];
inline constexpr Chord kRedoChord = kChords[1];
inline constexpr Chord kShiftedRedoChord = kChords[2];

// The low bit of a text's pick: set, a string follows; clear, the pick names a copied text.
inline constexpr std::uint8_t kStringFollows = 1;

// What users copy from elsewhere: amounts, dates, phone numbers and yes/no words as other programs
// write them, texts of several lines, and texts with control characters.
inline constexpr std::u16string_view kCopiedTexts[] = {
    u"1,234,567.50",
    u"(1,234.50)",
    u"1,234.50 Db.",
    u"1,234.50 Cr.",
    u"$12",
    u"-$1,000.5",
    u"\u20AC 99.95",
    u"12\u00A0345",
    u"+42",
    u"0.001",
    u"12,34",
    u"1e5",
    u"99999999999999999999999",
    u"2024-12-31",
    u"31/12/2024",
    u"12-31-24",
    u"12/31/2024",
    u"2024.02.29",
    u"29/02/2023",
    u"1/2/3",
    u"(555) 123-4567",
    u"555-1234",
    u"+1 555 123 4567",
    u"Yes",
    u"false",
    u"n",
    u"True ",
    u"12\r\n34",
    u"\n5",
    u"12\t34",
    u"a\u0001b\u001Bc",
    u"\u0008\u007F",
    u"Hello, World!",
    u"h\u00E9llo \U0001F600",
    u" ",
};
inline constexpr int kCopiedTextCount = static_cast<int>(sizeof(kCopiedTexts) / sizeof(kCopiedTexts[0]));

}  // namespace kestrow::fuzz
