// The host's intrinsic drop-down list: a closed list of item texts of which at most one is
// selected. The user can only pick an item; nothing can be typed into it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "kestrow/host/controls/control_state.h"
#include "kestrow/host/controls/placement.h"

namespace kestrow::host {

class DropDownListEvents {
 public:
  // Raised by every selection of an item, also of the item already selected, by the program or
  // by the user, before the call that selected returns.
  virtual void Click() {}

 protected:
  ~DropDownListEvents() = default;
};

// A disabled list ignores the user; the program can still fill it and select in it.
class DropDownList : public ControlState {
 public:
  DropDownList() = default;
  DropDownList(const DropDownList&) = delete;
  DropDownList& operator=(const DropDownList&) = delete;

  void SetEventHandler(DropDownListEvents* handler) { handler_ = handler; }
  DropDownListEvents* EventHandler() const { return handler_; }

  // --- Items ---------------------------------------------------------------------------------
  // Appends at the end; the selection stays on the item it was on.
  void AddItem(std::u16string_view text);
  // An index outside the list raises invalid procedure call. Removing the selected item leaves
  // nothing selected; removing one before it keeps the same item selected. Neither raises Click.
  void RemoveItem(std::int32_t index);
  // Removes every item and the selection, without Click.
  void Clear();
  std::int32_t ListCount() const { return static_cast<std::int32_t>(items_.size()); }
  // The text of the item at a 0-based index; an index outside the list reads as empty, so that
  // List(1) of a list that has not been filled can be handed on as "no item".
  std::u16string List(std::int32_t index) const;

  // --- Selection -----------------------------------------------------------------------------
  // The selected item's index, or -1 when none is.
  std::int32_t ListIndex() const { return selected_; }
  // Selecting an item raises Click. -1 drops the selection and raises Click only when there was
  // one to drop. Anything below -1 or past the last item raises invalid property value.
  void SetListIndex(std::int32_t index);
  // The selected item's text, or empty when none is.
  std::u16string Text() const;
  // Selects the first item whose whole text equals `text` exactly (case matters) and raises
  // Click. A text that is no item cannot be shown by a list the user can only pick from, so it
  // drops the selection, as SetListIndex(-1) does: the list's Text stays an item or empty.
  void SetText(std::u16string_view text);

  // --- Appearance and behaviour --------------------------------------------------------------
  // Position and size in twips; the placement checks the size.
  Placement& Position() { return placement_; }
  const Placement& Position() const { return placement_; }

  // --- Delivered by the host -----------------------------------------------------------------
  // The user picks the item at `index` from the open list. Ignored while the list is disabled or
  // hidden, or for an index outside the list (a click past the last item).
  void UserPick(std::int32_t index);

 private:
  void Select(std::int32_t index);
  void RaiseClick();

  DropDownListEvents* handler_ = nullptr;
  std::vector<std::u16string> items_;
  std::int32_t selected_ = -1;
  Placement placement_;
};

}  // namespace kestrow::host
