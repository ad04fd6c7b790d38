#include "platform/win32/files/common_file_dialog.h"

#include <commdlg.h>
#include <cderr.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/common/wine.h"
#include "platform/win32/files/wide_path.h"

namespace rollkeep::win32 {

namespace {

// Room for the longest path Windows knows, not just MAX_PATH.
constexpr std::size_t kPathBufferSize = 32768;
// Wine's dialog joins the folder and the typed name in a MAX_PATH buffer on
// its stack, and a longer name overruns it and crashes the program. There
// the buffer is MAX_PATH, and the file name box takes no more than fits.
constexpr std::size_t kWinePathBufferSize = MAX_PATH;

// Control ids of the file name box: the combo box of the Explorer-style
// dialog, the edit box of the old style.
constexpr int kFileNameCombo = 0x47c;  // cmb13
constexpr int kFileNameEdit = 0x480;   // edt1

BOOL CALLBACK FindEdit(HWND window, LPARAM found) {
  char name[8] = {};
  ::GetClassNameA(window, name, sizeof name);
  if (::lstrcmpiA(name, "Edit") != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// The edit control the operator types the name into, inside the combo box.
HWND FileNameEdit(HWND dialog) {
  HWND box = ::GetDlgItem(dialog, kFileNameCombo);
  if (box == nullptr) return ::GetDlgItem(dialog, kFileNameEdit);
  HWND edit = nullptr;
  ::EnumChildWindows(box, FindEdit, reinterpret_cast<LPARAM>(&edit));
  return edit;
}

// A name typed relative to the open folder is joined to it with a
// backslash; the whole must fit kWinePathBufferSize with its terminator.
void LimitFileName(HWND dialog) {
  HWND edit = FileNameEdit(dialog);
  if (edit == nullptr) return;
  const LRESULT folderChars = ::SendMessageW(dialog, CDM_GETFOLDERPATH, 0, 0);  // with its null
  const LRESULT room =
      static_cast<LRESULT>(kWinePathBufferSize) - 1 - std::max<LRESULT>(folderChars, 0);
  // A limit of 0 would mean no limit at all.
  ::SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(std::max<LRESULT>(room, 1)), 0);
}

// The Explorer-style hook: the dialog is laid out, or another folder opened.
UINT_PTR CALLBACK LimitingHook(HWND hook, UINT message, WPARAM, LPARAM lParam) noexcept {
  if (message != WM_NOTIFY) return 0;
  const UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
  if (code == CDN_INITDONE || code == CDN_FOLDERCHANGE) LimitFileName(::GetParent(hook));
  return 0;
}

// "Text|*.txt|All|*.*" -> "Text\0*.txt\0All\0*.*\0\0", the form the dialog reads.
std::wstring DialogFilter(const std::string& filter) {
  std::wstring pairs = WideFromAnsi(filter);
  std::replace(pairs.begin(), pairs.end(), L'|', L'\0');
  pairs.append(2, L'\0');
  return pairs;
}

std::string FailureReason(bool save, DWORD error) {
  const char* dialog = save ? "the save dialog" : "the open dialog";
  switch (error) {
    case FNERR_BUFFERTOOSMALL:
      return std::string("the path chosen in ") + dialog + " is too long";
    case FNERR_INVALIDFILENAME:
      return std::string("the file name given to ") + dialog + " is not valid";
    default: {
      char code[16];
      std::snprintf(code, sizeof code, "0x%04lX", static_cast<unsigned long>(error));
      return std::string(dialog) + " could not be shown (common dialog error " + code + ")";
    }
  }
}

std::string UnconvertibleReason(bool save) {
  return std::string("the path chosen in ") + (save ? "the save dialog" : "the open dialog") +
         " has characters that this program cannot use in a file name";
}

}  // namespace

void CommonFileDialog::ShowOpen() { Show(false); }
void CommonFileDialog::ShowSave() { Show(true); }

// The wide dialogs: the chosen path is converted to the ANSI code page the
// rest of the program works in, and one that has no exact ANSI form (a
// folder named in another script) is refused rather than turned into the
// name of another file.
void CommonFileDialog::Show(bool save) {
  const bool wine = RunningUnderWine();
  std::vector<wchar_t> path(wine ? kWinePathBufferSize : kPathBufferSize, L'\0');
  const std::wstring initial = WideFromAnsi(FileName);
  if (initial.size() < path.size()) std::copy(initial.begin(), initial.end(), path.begin());
  const std::wstring filter = DialogFilter(Filter);

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner_;
  ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(std::max(FilterIndex, 0));
  ofn.lpstrFile = path.data();
  ofn.nMaxFile = static_cast<DWORD>(path.size());
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
  if (wine) {
    ofn.Flags |= OFN_ENABLEHOOK;
    ofn.lpfnHook = &LimitingHook;
  }

  const BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (chosen) {
    std::optional<std::string> ansi = AnsiFromWide(path.data());
    if (!ansi) throw DialogFailed(UnconvertibleReason(save));
    FileName = std::move(*ansi);
    return;
  }
  if (const DWORD error = CommDlgExtendedError(); error != 0) {
    throw DialogFailed(FailureReason(save, error));
  }
  FileName.clear();
  if (CancelError) throw DialogCancelled();
}

}  // namespace rollkeep::win32
