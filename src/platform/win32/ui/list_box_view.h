#pragma once
// List1: the list box shows the roster. It follows every change of the store
// and passes the operator's selection back to it, so the two never differ.

#include <windows.h>

#include <optional>
#include <string>

#include "roster/roster.h"

namespace rollkeep::win32 {

class ListBoxView final : public RosterObserver {
public:
  // Attaches to `roster` and shows what it holds now.
  ListBoxView(Roster& roster, HWND listBox);
  ~ListBoxView() override;
  ListBoxView(const ListBoxView&) = delete;
  ListBoxView& operator=(const ListBoxView&) = delete;

  // The operator clicked an entry: the store selects it too.
  void OnOperatorSelected();

  void OnAppended(int index, const std::string& text) override;
  void OnRemoved(int index) override;
  void OnReset() override;
  void OnSelectionChanged(std::optional<int> index) override;

private:
  void FillFromRoster();

  Roster& roster_;
  HWND listBox_;
};

}  // namespace rollkeep::win32
