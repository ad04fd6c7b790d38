#include "platform/win32/files/common_file_dialog.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

#include "win32_temp_folder.h"

namespace rollkeep::win32 {
namespace {

using namespace std::chrono_literals;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string_view(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// The file name box: a combo box on newer dialogs, an edit box on older ones.
HWND FileNameBox(HWND dialog) {
  HWND box = GetDlgItem(dialog, 0x47c /* cmb13 */);
  return box ? box : GetDlgItem(dialog, 0x480 /* edt1 */);
}

// Laid out: the file name box and an enabled OK button are shown.
bool Ready(HWND dialog) {
  HWND box = FileNameBox(dialog), ok = GetDlgItem(dialog, IDOK);
  return box && ok && IsWindowVisible(box) && IsWindowVisible(ok) && IsWindowEnabled(ok);
}

// Works a modal dialog from outside: a helper thread waits up to 60 s for the
// calling thread's dialog window to show and be laid out, then acts on it
// while the calling thread sits in the dialog's own message loop.
std::jthread Drive(std::function<void(HWND)> action) {
  return std::jthread([ui = GetCurrentThreadId(), action] {
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    for (; std::chrono::steady_clock::now() < deadline; std::this_thread::sleep_for(20ms)) {
      HWND dialog = nullptr;
      EnumThreadWindows(ui, FindDialog, reinterpret_cast<LPARAM>(&dialog));
      if (dialog && Ready(dialog)) return action(dialog);
    }
  });
}

void Press(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

class CommonFileDialogTest : public ::testing::Test {
protected:
  CommonFileDialogTest() { dialog.Filter = "All Files (*.*)|*.*"; }

  testing::Win32TempFolder folder;
  CommonFileDialog dialog;
};

TEST_F(CommonFileDialogTest, CancelRaisesOnlyWhenCancelErrorIsSet) {
  bool pressed = false, closed = false;  // by the helper; read after joining it
  dialog.CancelError = true;
  std::jthread cancel = Drive([&](HWND d) { Press(d, IDCANCEL); pressed = true; });
  EXPECT_THROW(dialog.ShowOpen(), DialogCancelled);
  cancel.join();
  EXPECT_TRUE(pressed);

  dialog.CancelError = false;
  dialog.FileName = "before";
  std::jthread close = Drive([&](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); closed = true; });
  EXPECT_NO_THROW(dialog.ShowSave());
  close.join();
  EXPECT_TRUE(closed);
  EXPECT_EQ(dialog.FileName, "");
}

TEST_F(CommonFileDialogTest, APathTypedIntoEitherDialogIsTheChosenFile) {
  const std::string path = folder.file("roster.txt");
  testing::WriteFileBytes(path, "Ann\r\n");
  for (const bool save : {true, false}) {
    char fileType[64] = {};
    std::jthread typePath = Drive([&](HWND d) {
      GetWindowTextA(GetDlgItem(d, 0x470 /* cmb1 */), fileType, sizeof fileType);
      SetWindowTextA(FileNameBox(d), path.c_str());
      Press(d, IDOK);
    });
    save ? dialog.ShowSave() : dialog.ShowOpen();
    typePath.join();
    EXPECT_EQ(dialog.FileName, path);
    EXPECT_STREQ(fileType, "All Files (*.*)");
  }
}

BOOL CALLBACK FindEdit(HWND window, LPARAM found) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpiA(name, "Edit") != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// Typed one key at a time into the file name box's edit control, as the
// operator types, and confirmed: Wine's own dialog code overran its stack
// on a name longer than a path and crashed the program. The box takes no
// more than the path buffer holds, and the dialog hands back what it took.
TEST_F(CommonFileDialogTest, ALongPathTypedIntoEitherDialogStopsAtWhatTheBufferHolds) {
  const std::string typed = folder.path + "\\" + std::string(300, 'n');
  for (const bool save : {true, false}) {
    SCOPED_TRACE(save ? "save" : "open");
    std::string held;
    std::jthread type = Drive([&](HWND d) {
      HWND edit = FileNameBox(d);
      EnumChildWindows(edit, FindEdit, reinterpret_cast<LPARAM>(&edit));
      for (const char c : typed) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
      held.resize(GetWindowTextLengthA(edit) + 1);
      held.resize(GetWindowTextA(edit, held.data(), static_cast<int>(held.size())));
      Press(d, IDOK);
    });
    save ? dialog.ShowSave() : dialog.ShowOpen();
    type.join();
    EXPECT_LT(held.size(), std::size_t{MAX_PATH});
    EXPECT_TRUE(typed.starts_with(held)) << held;
    EXPECT_EQ(dialog.FileName, held);
  }
}

}  // namespace
}  // namespace rollkeep::win32
