#include "driver/list_box.h"

#include <optional>

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

// Nothing when the item is gone (the list changed under the read).
std::optional<std::string> ItemText(HWND listBox, int index) {
  const LRESULT length = Send(listBox, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      Send(listBox, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  if (copied == LB_ERR || copied > length) return std::nullopt;
  text.resize(static_cast<std::size_t>(copied));
  return ToAnsi(text);
}

int Count(HWND listBox) {
  return static_cast<int>(Send(listBox, LB_GETCOUNT, 0, 0));
}

// One pass over the list; nothing when the count changed meanwhile or an
// item went missing.
std::optional<ListBoxState> ReadOnce(HWND listBox) {
  ListBoxState state;
  const int count = Count(listBox);
  for (int i = 0; i < count; ++i) {
    auto text = ItemText(listBox, i);
    if (!text) return std::nullopt;
    state.items.push_back(std::move(*text));
  }
  state.selection = static_cast<int>(Send(listBox, LB_GETCURSEL, 0, 0));
  if (Count(listBox) != count) return std::nullopt;
  return state;
}

std::string Quoted(const std::vector<std::string>& items) {
  std::string text;
  for (const auto& item : items) text += (text.empty() ? "'" : ", '") + item + "'";
  return "[" + text + "]";
}

}  // namespace

ListBoxState ReadListBox(HWND listBox) {
  constexpr int kAttempts = 100;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (auto state = ReadOnce(listBox)) return *state;
    std::this_thread::sleep_for(kPollInterval);
  }
  throw DriverError("list box kept changing while it was read");
}

ListBoxState PollListBox(HWND listBox, std::chrono::milliseconds timeout,
                         const std::function<bool(const ListBoxState&)>& done) {
  ListBoxState state;
  PollFor(timeout, [&] { return done(state = ReadListBox(listBox)); });
  return state;
}

ListBoxState WaitForItems(HWND listBox, const std::vector<std::string>& items,
                          std::chrono::milliseconds timeout) {
  return PollListBox(listBox, timeout,
                     [&](const ListBoxState& state) { return state.items == items; });
}

ListBoxState WaitForItemCount(HWND listBox, std::size_t count,
                              std::chrono::milliseconds timeout) {
  const ListBoxState state = PollListBox(
      listBox, timeout, [&](const ListBoxState& s) { return s.items.size() >= count; });
  if (state.items.size() < count) {
    throw DriverError("timed out after " + std::to_string(timeout.count()) +
                      " ms waiting for " + std::to_string(count) +
                      " list box items; it shows " + Quoted(state.items));
  }
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
