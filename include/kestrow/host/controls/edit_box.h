// The host's intrinsic single-line edit box: a text box (its text, selection and limit) with the
// appearance of a control, the events it delivers, and the ordinary edit box's own editing for
// the keys its event handler leaves alone.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "kestrow/host/controls/control_state.h"
#include "kestrow/host/controls/keys.h"
#include "kestrow/host/controls/text_box.h"
#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/objects.h"

namespace kestrow::host {

// The events an edit box delivers. Codes are passed by reference: a handler that clears a key
// code (sets it to 0) keeps the box from acting on the key.
class EditBoxEvents {
 public:
  virtual void GotFocus() {}
  virtual void LostFocus() {}
  virtual void Change() {}
  virtual void KeyDown(std::int16_t& /*keyCode*/, std::int16_t& /*shift*/) {}
  virtual void KeyPress(std::int16_t& /*keyAscii*/) {}
  virtual void KeyUp(std::int16_t& /*keyCode*/, std::int16_t& /*shift*/) {}
  // The host's paste command with the text to paste; a handler that takes the text (leaves it
  // empty) keeps the box from pasting it itself.
  virtual void Paste(std::u16string& /*text*/) {}
  virtual void Click() {}
  virtual void DblClick() {}
  virtual void MouseDown(std::int16_t& /*button*/, std::int16_t& /*shift*/, float& /*x*/, float& /*y*/) {}
  virtual void MouseMove(std::int16_t& /*button*/, std::int16_t& /*shift*/, float& /*x*/, float& /*y*/) {}
  virtual void MouseUp(std::int16_t& /*button*/, std::int16_t& /*shift*/, float& /*x*/, float& /*y*/) {}

 protected:
  ~EditBoxEvents() = default;
};

class EditBox : public TextBox, public ControlState {
 public:
  explicit EditBox(BoxHost& host);
  EditBox(const EditBox&) = delete;
  EditBox& operator=(const EditBox&) = delete;

  void SetEventHandler(EditBoxEvents* handler) { handler_ = handler; }
  // So that a host can watch a box's events and pass them on.
  EditBoxEvents* EventHandler() const { return handler_; }

  // Replaces the selection (or inserts at the caret); the caret follows the new text.
  void SetSelText(std::u16string_view text);
  // The text as the user sees it (password characters in place of the text).
  std::u16string DisplayedText() const;

  // --- Appearance and behaviour ------------------------------------------------------------
  std::uint32_t BackColor() const { return back_color_; }
  void SetBackColor(std::uint32_t color) { back_color_ = color; }
  std::uint32_t ForeColor() const { return fore_color_; }
  void SetForeColor(std::uint32_t color) { fore_color_ = color; }
  bool Locked() const { return locked_; }
  void SetLocked(bool locked) { locked_ = locked; }
  bool RightToLeft() const { return right_to_left_; }
  void SetRightToLeft(bool value) { right_to_left_ = value; }
  // 0 to 15 or 99 (custom); anything else raises invalid property value.
  std::int16_t MousePointer() const { return mouse_pointer_; }
  void SetMousePointer(std::int16_t pointer);
  const std::shared_ptr<Picture>& MouseIcon() const { return mouse_icon_; }
  void SetMouseIcon(std::shared_ptr<Picture> icon) { mouse_icon_ = std::move(icon); }
  std::int16_t ScrollBars() const { return 0; }
  // 0 none, 1 automatic; anything else raises invalid property value.
  std::int16_t OLEDragMode() const { return ole_drag_mode_; }
  void SetOLEDragMode(std::int16_t mode);
  // 0 none, 1 manual, 2 automatic; anything else raises invalid property value.
  std::int16_t OLEDropMode() const { return ole_drop_mode_; }
  void SetOLEDropMode(std::int16_t mode);
  const std::u16string& LinkItem() const { return link_item_; }
  void SetLinkItem(std::u16string_view item) { link_item_ = item; }
  const std::u16string& LinkTopic() const { return link_topic_; }
  void SetLinkTopic(std::u16string_view topic) { link_topic_ = topic; }
  // 0 none, 1 automatic, 2 manual, 3 notify; anything else raises invalid property value.
  std::int16_t LinkMode() const { return link_mode_; }
  void SetLinkMode(std::int16_t mode);
  std::int16_t LinkTimeout() const { return link_timeout_; }
  void SetLinkTimeout(std::int16_t timeout) { link_timeout_ = timeout; }

  // The font object is shared with whoever set it; the single font properties act on it.
  const std::shared_ptr<Font>& GetFont() const { return font_; }
  // A missing font raises invalid property value.
  void SetFont(std::shared_ptr<Font> font);
  // An empty name keeps the current one.
  void SetFontName(std::u16string_view name);
  // 0 keeps the current size; negative or above 2160 points raises invalid property value.
  void SetFontSize(float size);
  void SetFontBold(bool bold);
  void SetFontItalic(bool italic);
  void SetFontUnderline(bool underline);
  void SetFontStrikethru(bool strikethrough);

  // Position in twips on the form (or inside the frame) the box sits on.
  std::int32_t Left() const { return left_; }
  std::int32_t Top() const { return top_; }
  void SetLeft(std::int32_t left) { left_ = left; }
  void SetTop(std::int32_t top) { top_ = top; }
  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  void SetWidth(std::int32_t width) { width_ = width; }
  void SetHeight(std::int32_t height) { height_ = height; }
  void Refresh() { ++repaints_; }
  int Repaints() const { return repaints_; }

  // --- Delivered by the host -----------------------------------------------------------------
  void DeliverGotFocus();
  void DeliverLostFocus();
  void DeliverKeyDown(std::int16_t keyCode, std::int16_t shift);
  void DeliverKeyPress(std::int16_t keyAscii);
  void DeliverKeyUp(std::int16_t keyCode, std::int16_t shift);
  // The host's paste command (a menu, a terminal's bracketed paste) with the text to paste.
  void DeliverPaste(std::u16string text);
  void DeliverClick();
  void DeliverDblClick();
  void DeliverMouseDown(std::int16_t button, std::int16_t shift, float x, float y);
  void DeliverMouseMove(std::int16_t button, std::int16_t shift, float x, float y);
  void DeliverMouseUp(std::int16_t button, std::int16_t shift, float x, float y);
  // The user selects with the mouse: no events; a start or length past the end is cut back.
  void UserSelect(std::int32_t start, std::int32_t length);

 private:
  void DefaultKeyDown(std::int16_t keyCode, std::int16_t shift);
  void DefaultKeyPress(std::int16_t keyAscii);
  // Its first line over the selection, as much as MaxLength leaves room for.
  void DefaultPaste(std::u16string_view text);
  void Cut();
  void MoveCaret(std::int32_t position, bool extend);
  void ReplaceSelectionByTyping(std::u16string_view text);
  void DeleteSelection();
  // TextBox: each change of the text is the box's Change event.
  void TextChanged() override;

  EditBoxEvents* handler_ = nullptr;

  std::uint32_t back_color_ = 0x80000005u;
  std::uint32_t fore_color_ = 0x80000008u;
  bool locked_ = false;
  bool right_to_left_ = false;
  std::int16_t mouse_pointer_ = 0;
  std::shared_ptr<Picture> mouse_icon_;
  std::int16_t ole_drag_mode_ = 0;
  std::int16_t ole_drop_mode_ = 0;
  std::u16string link_item_;
  std::u16string link_topic_;
  std::int16_t link_mode_ = 0;
  std::int16_t link_timeout_ = 50;
  std::shared_ptr<Font> font_ = std::make_shared<Font>();
  std::int32_t left_ = 0;
  std::int32_t top_ = 0;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  int repaints_ = 0;
};

}  // namespace kestrow::host
