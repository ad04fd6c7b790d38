#include "driver/list_box.h"

#include "driver/poll.h"
#include "driver/window_search.h"

namespace rollkeep::driver {

namespace {

// Sent as Unicode: Wine hands the ANSI LB_GETTEXT of another process's list
// box back in UTF-16, so the text is read wide and converted here.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                             static_cast<UINT>(kSendTimeout.count()),
                             &result)) {
    throw DriverError("list box does not answer message " +
                      std::to_string(message));
  }
  return static_cast<LRESULT>(result);
}

std::string ItemText(HWND listBox, int index) {
  const LRESULT length = Send(listBox, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) {
    throw DriverError("list box has no item " + std::to_string(index));
  }
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      Send(listBox, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  if (copied == LB_ERR || copied > length) {
    throw DriverError("cannot read list box item " + std::to_string(index));
  }
  text.resize(static_cast<std::size_t>(copied));
  return ToAnsi(text);
}

}  // namespace

ListBoxState ReadListBox(HWND listBox) {
  ListBoxState state;
  const auto count = static_cast<int>(Send(listBox, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) state.items.push_back(ItemText(listBox, i));
  state.selection = static_cast<int>(Send(listBox, LB_GETCURSEL, 0, 0));
  return state;
}

void SelectListItem(HWND listBox, int index) {
  if (Send(listBox, LB_SETCURSEL, index, 0) == LB_ERR && index != -1) {
    throw DriverError("cannot select list box item " + std::to_string(index));
  }
  const int id = ::GetDlgCtrlID(listBox);
  Send(::GetParent(listBox), WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE),
       reinterpret_cast<LPARAM>(listBox));
}

}  // namespace rollkeep::driver
