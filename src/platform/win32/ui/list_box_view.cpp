#include "platform/win32/ui/list_box_view.h"

#include <cstddef>

namespace rollkeep::win32 {

namespace {

LPARAM TextParam(const std::string& text) { return reinterpret_cast<LPARAM>(text.c_str()); }

}  // namespace

ListBoxView::ListBoxView(Roster& roster, HWND listBox) : roster_(roster), listBox_(listBox) {
  roster_.addObserver(this);
  OnReset();
}

ListBoxView::~ListBoxView() { roster_.removeObserver(this); }

void ListBoxView::OnOperatorSelected() {
  const LRESULT index = ::SendMessageA(listBox_, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR || index >= roster_.count()) return;
  roster_.select(static_cast<int>(index));
}

void ListBoxView::OnAppended(int, const std::string& text) {
  ::SendMessageA(listBox_, LB_ADDSTRING, 0, TextParam(text));
}

void ListBoxView::OnRemoved(int index) {
  ::SendMessageA(listBox_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
  // The list box moves its selection with the removal; make sure it landed
  // where the store's did.
  const std::optional<int> wanted = roster_.selection();
  if (::SendMessageA(listBox_, LB_GETCURSEL, 0, 0) != wanted.value_or(LB_ERR)) {
    OnSelectionChanged(wanted);
  }
}

void ListBoxView::OnReset() {
  // One repaint for the whole list, however long it is.
  ::SendMessageA(listBox_, WM_SETREDRAW, FALSE, 0);
  ::SendMessageA(listBox_, LB_RESETCONTENT, 0, 0);
  FillFromRoster();
  ::SendMessageA(listBox_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(listBox_, nullptr, TRUE);
}

void ListBoxView::OnSelectionChanged(std::optional<int> index) {
  ::SendMessageA(listBox_, LB_SETCURSEL, static_cast<WPARAM>(index.value_or(-1)), 0);
}

void ListBoxView::FillFromRoster() {
  std::size_t bytes = 0;
  for (const std::string& text : roster_.entries()) bytes += text.size() + 1;
  ::SendMessageA(listBox_, LB_INITSTORAGE, static_cast<WPARAM>(roster_.count()),
                 static_cast<LPARAM>(bytes));
  for (const std::string& text : roster_.entries()) {
    ::SendMessageA(listBox_, LB_ADDSTRING, 0, TextParam(text));
  }
  if (const auto selected = roster_.selection()) OnSelectionChanged(selected);
}

}  // namespace rollkeep::win32
