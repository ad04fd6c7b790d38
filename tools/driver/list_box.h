#pragma once
// Reading and selecting in another program's standard list box.

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace rollkeep::driver {

struct ListBoxState {
  std::vector<std::string> items;
  int selection = -1;  // LB_ERR (-1) when nothing is selected

  bool operator==(const ListBoxState&) const = default;
};

// The items (LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT) and the current
// selection (LB_GETCURSEL), read as one state: the owner may change the list
// between two of these messages, and a read that saw it change is taken
// again. Throws DriverError when the list box does not answer or never holds
// still.
ListBoxState ReadListBox(HWND listBox);

// Reads the list box until `done` holds for what it shows or `timeout` has
// passed, and returns the state that ended the wait (the last one read).
ListBoxState PollListBox(HWND listBox, std::chrono::milliseconds timeout,
                         const std::function<bool(const ListBoxState&)>& done);

// Waits until the list box shows exactly `items`; returns the state that
// ended the wait, which differs from `items` only at the deadline.
ListBoxState WaitForItems(HWND listBox, const std::vector<std::string>& items,
                          std::chrono::milliseconds timeout);

// Waits until the list box holds at least `count` items; throws DriverError
// at the deadline. Read before reaching for item `count - 1`.
ListBoxState WaitForItemCount(HWND listBox, std::size_t count,
                              std::chrono::milliseconds timeout);

// Selects item `index` (LB_SETCURSEL) and tells the owner, as a click on the
// item would (WM_COMMAND LBN_SELCHANGE to the parent).
void SelectListItem(HWND listBox, int index);

}  // namespace rollkeep::driver
