#include "platform/win32/files/common_file_dialog.h"

#include <commdlg.h>
#include <cderr.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace rollkeep::win32 {

namespace {

// Room for the longest path Windows knows, not just MAX_PATH.
constexpr std::size_t kPathBufferSize = 32768;

// "Text|*.txt|All|*.*" -> "Text\0*.txt\0All\0*.*\0\0", the form the dialog reads.
std::string DialogFilter(const std::string& filter) {
  std::string pairs = filter;
  std::replace(pairs.begin(), pairs.end(), '|', '\0');
  pairs.append(2, '\0');
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

}  // namespace

void CommonFileDialog::ShowOpen() { Show(false); }
void CommonFileDialog::ShowSave() { Show(true); }

void CommonFileDialog::Show(bool save) {
  std::vector<char> path(kPathBufferSize, '\0');
  if (FileName.size() < path.size()) std::copy(FileName.begin(), FileName.end(), path.begin());
  const std::string filter = DialogFilter(Filter);

  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner_;
  ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(std::max(FilterIndex, 0));
  ofn.lpstrFile = path.data();
  ofn.nMaxFile = static_cast<DWORD>(path.size());
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;

  const BOOL chosen = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (chosen) {
    FileName = path.data();
    return;
  }
  if (const DWORD error = CommDlgExtendedError(); error != 0) {
    throw DialogFailed(FailureReason(save, error));
  }
  FileName.clear();
  if (CancelError) throw DialogCancelled();
}

}  // namespace rollkeep::win32
