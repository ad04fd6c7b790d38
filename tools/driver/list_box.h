#pragma once
// Reading and selecting in another program's standard list box.

#include <windows.h>

#include <string>
#include <vector>

namespace rollkeep::driver {

struct ListBoxState {
  std::vector<std::string> items;
  int selection = -1;  // LB_ERR (-1) when nothing is selected

  bool operator==(const ListBoxState&) const = default;
};

// The items (LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT) and the current
// selection (LB_GETCURSEL). Throws DriverError when the list box does not
// answer.
ListBoxState ReadListBox(HWND listBox);

// Selects item `index` (LB_SETCURSEL) and tells the owner, as a click on the
// item would (WM_COMMAND LBN_SELCHANGE to the parent).
void SelectListItem(HWND listBox, int index);

}  // namespace rollkeep::driver
