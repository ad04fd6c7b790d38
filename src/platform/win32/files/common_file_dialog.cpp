#include "platform/win32/files/common_file_dialog.h"

#include <commdlg.h>
#include <cderr.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/files/wide_path.h"

namespace rollkeep::win32 {

namespace {

// Room for the longest path Windows knows, not just MAX_PATH.
constexpr std::size_t kPathBufferSize = 32768;

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
  std::vector<wchar_t> path(kPathBufferSize, L'\0');
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
