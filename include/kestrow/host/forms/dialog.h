// A dialog form as data a host can draw: its caption, client size and controls, with the
// notifications the host gives it while it is shown.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrow::host {

struct DialogFont {
  std::u16string name;
  float size = 0;
  std::int16_t weight = 400;
  friend bool operator==(const DialogFont&, const DialogFont&) = default;
};

// Positions and sizes in twips. A line runs from (left, top) to (right, bottom).
struct DialogControl {
  enum class Kind { PictureBox, Label, CommandButton, Line };
  std::string name;
  Kind kind = Kind::Label;
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;              // lines: the x of their end
  std::int32_t height = 0;             // lines: the y of their end
  std::optional<int> tab_index;        // lines have none
  std::u16string caption;              // labels and buttons
  std::optional<DialogFont> font;      // empty: the form's default font
  std::optional<std::uint32_t> color;  // lines: RGB as 0x00BBGGRR
  bool is_default = false;             // buttons: Enter presses it
  bool is_cancel = false;              // buttons: Esc presses it
  std::int32_t picture_width = 0;      // picture boxes: pixels
  std::int32_t picture_height = 0;
  int picture_bits_per_pixel = 0;
};

class DialogForm {
 public:
  virtual ~DialogForm() = default;

  // The host's notifications.
  virtual void Load() = 0;
  virtual void Click(std::string_view control) = 0;
  // Enter presses the default button, Esc the cancel button.
  void PressEnter();
  void PressEscape();
  // Closing through the window frame.
  void Close() { Unload(); }

  const std::u16string& Caption() const { return caption_; }
  std::int32_t ClientWidth() const { return client_width_; }
  std::int32_t ClientHeight() const { return client_height_; }
  const std::vector<DialogControl>& Controls() const { return controls_; }
  const DialogControl* Find(std::string_view name) const;
  // Label texts in tab-index order.
  std::vector<std::u16string> LabelsInTabOrder() const;
  bool Unloaded() const { return unloaded_; }

 protected:
  DialogForm(std::int32_t clientWidth, std::int32_t clientHeight, std::vector<DialogControl> controls)
      : client_width_(clientWidth), client_height_(clientHeight), controls_(std::move(controls)) {}
  void SetCaption(std::u16string caption) { caption_ = std::move(caption); }
  DialogControl& Control(std::string_view name);
  void Unload() { unloaded_ = true; }

 private:
  std::u16string caption_;
  std::int32_t client_width_;
  std::int32_t client_height_;
  std::vector<DialogControl> controls_;
  bool unloaded_ = false;
};

}  // namespace kestrow::host
