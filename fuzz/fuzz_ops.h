// The byte encoding the control fuzzer decodes, shared with the seed encoder (make_seed).
//
// Input: a header, then operations until the bytes run out. Numbers are little-endian; reading
// past the end gives zeros, so every byte string is a valid program.
//   header:  u8 controls (1 + n % 3), u16 year, u8 month, u8 day   (the host's clock)
//   string:  u8 length, then that many u16 code units; length 254 is a run (u16 count, u16 code
//            unit: that unit count times) and 255 a long string (u16 length, then the units), so
//            fields of thousands of places are reached
//   variant: u8 kind (VariantKind), then its payload (see DecodeVariant in control_fuzzer.cpp)
//   op:      u8 code (Op % kOpCount), then its arguments as listed below.
#pragma once

#include <cstdint>

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
  kSaveFile = 13,  // u8 control: save to a form file, reload into a fresh form, compare
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
  kOpCount = 24,
};

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

inline constexpr double kEdgeNumbers[] = {0.0,          -1.0,        1.0,          32767.0,    32768.0,     -32768.0,
                                          -32769.0,     70000.0,     1e20,         -1e20,      2147483647.0, 2147483648.0,
                                          4294967295.0, 4294967296.0, 0.5,         1.5,        2.5,         -0.5,
                                          1e-20,        65535.0,     20.0,         21.0,       16.0,        17.0,
                                          1e300,        2958465.0,   -657434.0,    10.0,       5.0,         255.0};
// The last two entries are NaN and infinity, built at run time.
inline constexpr int kEdgeCount = static_cast<int>(sizeof(kEdgeNumbers) / sizeof(kEdgeNumbers[0])) + 3;

inline constexpr const char* kKeyNames[] = {"Enter", "Backspace", "Escape", "Delete", "Home", "End", "Left",
                                            "Up",    "Right",     "Down",   "Insert", "F4",   "Tab", "A",
                                            "C",     "V",         "X",      "Z",      "Y",    "N",   "T",
                                            "F",     "E",         "D",      "M"};
inline constexpr int kKeyCount = static_cast<int>(sizeof(kKeyNames) / sizeof(kKeyNames[0]));

}  // namespace kestrow::fuzz
