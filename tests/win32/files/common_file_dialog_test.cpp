#include "platform/win32/files/common_file_dialog.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "dialog_driver.h"
#include "win32_temp_folder.h"

namespace rollkeep::win32 {
namespace {

using testing::DialogDriver;
using testing::PressButton;
using testing::Win32TempFolder;
using testing::WindowText;

// The file name box: a combo box on newer dialogs, an edit box on older ones.
constexpr int kFileNameCombo = 0x47c;  // cmb13
constexpr int kFileNameEdit = 0x480;   // edt1
constexpr int kFileTypeCombo = 0x470;  // cmb1

HWND FileNameBox(HWND dialog) {
  HWND box = GetDlgItem(dialog, kFileNameCombo);
  return box ? box : GetDlgItem(dialog, kFileNameEdit);
}

// Types `path` into the file name box and presses OK.
DialogDriver::Action TypePath(const std::string& path, std::string* fileTypeShown) {
  return [path, fileTypeShown](HWND dialog) {
    *fileTypeShown = WindowText(GetDlgItem(dialog, kFileTypeCombo));
    SendMessageA(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PressButton(dialog, IDOK);
  };
}

class CommonFileDialogTest : public ::testing::Test {
protected:
  CommonFileDialogTest() {
    dialog.CancelError = true;
    dialog.Filter = "All Files (*.*)|*.*";
    dialog.FilterIndex = 0;
  }

  Win32TempFolder folder;
  CommonFileDialog dialog;
};

TEST_F(CommonFileDialogTest, CancelThrowsWhenCancelErrorIsSet) {
  dialog.FileName = "before";
  DialogDriver driver([](HWND d) { PressButton(d, IDCANCEL); });

  EXPECT_THROW(dialog.ShowOpen(), DialogCancelled);

  EXPECT_TRUE(driver.Finish());
}

TEST_F(CommonFileDialogTest, CancelReturnsWithNoFileNameOtherwise) {
  dialog.CancelError = false;
  dialog.FileName = "before";
  DialogDriver driver([](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); });

  EXPECT_NO_THROW(dialog.ShowSave());

  EXPECT_TRUE(driver.Finish());
  EXPECT_EQ(dialog.FileName, "");
}

TEST_F(CommonFileDialogTest, APathTypedIntoTheSaveDialogIsTheChosenFile) {
  const std::string path = folder.file("roster.txt");
  std::string fileType;
  DialogDriver driver(TypePath(path, &fileType));

  dialog.ShowSave();

  EXPECT_TRUE(driver.Finish());
  EXPECT_EQ(dialog.FileName, path);
  EXPECT_EQ(fileType, "All Files (*.*)");
}

TEST_F(CommonFileDialogTest, APathTypedIntoTheOpenDialogIsTheChosenFile) {
  const std::string path = folder.file("existing.txt");
  testing::WriteFileBytes(path, "Ann\r\n");
  std::string fileType;
  DialogDriver driver(TypePath(path, &fileType));

  dialog.ShowOpen();

  EXPECT_TRUE(driver.Finish());
  EXPECT_EQ(dialog.FileName, path);
  EXPECT_EQ(fileType, "All Files (*.*)");
}

}  // namespace
}  // namespace rollkeep::win32
