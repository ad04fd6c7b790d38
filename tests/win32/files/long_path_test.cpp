// The paths the dialogs accept, as a hostile tester types them: a path of
// 259 characters (the longest that fits MAX_PATH) saved, replaced and read
// back with no stray file beside it; device names refused for load (and
// save) with the failure box and the roster kept; the save and open dialogs
// handing back a typed 259-character path whole.

#include <gtest/gtest.h>

#include <chrono>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "driver/dialogs.h"
#include "platform/win32/files/common_file_dialog.h"
#include "platform/win32/files/wide_path.h"
#include "platform/win32/files/win32_file_system.h"
#include "rosterfile/roster_io.h"
#include "support/fake_windows.h"
#include "win32_temp_folder.h"

namespace rollkeep::win32 {
namespace {

using namespace std::chrono_literals;
constexpr std::size_t kLongest = MAX_PATH - 1;  // 259 characters and the terminator

// Folders nested under `base` until the folder's path is `length` characters
// long, made through "\\?\" since CreateDirectory stops at 248 characters.
// Removed, with the files named in `files`, when the owner goes.
class DeepFolder {
public:
  DeepFolder(const std::string& base, std::size_t length) : path(base) {
    while (path.size() < length) {
      const std::size_t room = length - path.size() - 1;
      path.push_back('\\');
      // Components of 100 until the last one takes the rest (never none).
      path.append(room > 101 ? 100 : room, 'd');
      if (!CreateDirectoryW(WithLongPrefix(WideFromAnsi(path)).c_str(), nullptr)) break;
      made_.push_back(path);
    }
  }
  ~DeepFolder() {
    for (const std::string& file : files) DeleteFileW(WithLongPrefix(WideFromAnsi(file)).c_str());
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
      RemoveDirectoryW(WithLongPrefix(WideFromAnsi(*it)).c_str());
    }
  }
  DeepFolder(const DeepFolder&) = delete;

  // How many entries the folder holds: a temporary file left behind shows.
  int entries() const {
    WIN32_FIND_DATAW found;
    const std::wstring pattern = WithLongPrefix(WideFromAnsi(path + "\\*"));
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return -1;
    int count = 0;
    do {
      const std::wstring name = found.cFileName;
      count += name != L"." && name != L"..";
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
  }

  std::string path;
  std::vector<std::string> files;

private:
  std::vector<std::string> made_;
};

// Types `path` into the next file dialog of this process from a helper
// thread, through the driver, while this thread sits in the dialog's loop.
// `typed` tells whether the dialog took it and closed; a driver failure
// leaves it false (and its text in `failure`) instead of ending the program.
std::jthread TypeIntoNextDialog(const std::string& path, bool& typed, std::string& failure) {
  return std::jthread([path, &typed, &failure] {
    try {
      const HWND dialog = driver::WaitForFileDialog(GetCurrentProcessId(), 20000ms);
      std::this_thread::sleep_for(300ms);  // lets the dialog finish laying itself out
      driver::ChooseFile(dialog, path);
      typed = true;
    } catch (const std::exception& e) {
      failure = e.what();
    }
  });
}

TEST(LongPaths, EveryPathTheDialogsAcceptWorksOrIsRefused) {
  testing::Win32TempFolder temp;
  Win32FileSystem files;
  DeepFolder deep(temp.path, kLongest - 5);  // + "\list" = 259 characters
  const std::string longest = deep.path + "\\list";
  ASSERT_EQ(longest.size(), kLongest);
  deep.files.push_back(longest);

  struct Row { const char* what; std::string path; bool viaDialog; bool works; };
  const Row rows[] = {
      {"259 characters", longest, false, true},
      {"259 characters typed into the dialogs", longest, true, true},
      {"nul.txt", temp.file("nul.txt"), false, false},
      {"NUL", temp.file("NUL"), false, false},
      {"con", temp.file("con"), false, false},
      {"Com1.txt", temp.file("Com1.txt"), false, false},
      {"lpt9.log", temp.file("lpt9.log"), false, false},
      {"aux.txt", temp.file("aux.txt"), false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    // Saved twice: the first save creates the file, the second replaces it.
    for (const char* content : {"Ann\r\n", "Bob\r\nCy\r\n"}) {
      EXPECT_EQ(files.WriteAllSafely(row.path, content).ok, row.works);
    }
    EXPECT_EQ(files.IsOrdinaryFile(row.path), row.works);

    rollkeep::Roster roster;
    roster.assign({"Kept"});
    rollkeep::testing::EventLog log;
    rollkeep::testing::FakePrompt prompt(log);
    prompt.fallback = kAnswerOk;
    CommonFileDialog dialog;
    rollkeep::testing::FakeFileDialog scripted(log);
    scripted.choices = {row.path};
    bool typed = false;
    std::string failure;
    std::jthread typing;
    if (row.viaDialog) typing = TypeIntoNextDialog(row.path, typed, failure);
    FileDialog& chosen = row.viaDialog ? static_cast<FileDialog&>(dialog) : scripted;
    const FileOutcome loaded = Brask32::LoadRoster(roster, chosen, prompt, files);
    if (typing.joinable()) typing.join();
    EXPECT_EQ(typed, row.viaDialog) << failure;
    if (row.viaDialog) {
      EXPECT_EQ(dialog.FileName, row.path);
    }

    EXPECT_EQ(loaded.done(), row.works) << loaded.reason;
    const std::vector<std::string> read{"Bob", "Cy"}, kept{"Kept"};
    EXPECT_EQ(roster.entries(), row.works ? read : kept);
    if (!row.works) {
      EXPECT_NE(loaded.reason.find("device"), std::string::npos) << loaded.reason;
      EXPECT_NE(log.back().find("prompt Rollkeep"), std::string::npos);
    }
  }
  EXPECT_EQ(deep.entries(), 1);
}

TEST(LongPaths, TheSaveDialogHandsBackATyped259CharacterPathWhole) {
  testing::Win32TempFolder temp;
  DeepFolder deep(temp.path, kLongest - 5);
  const std::string longest = deep.path + "\\save";
  CommonFileDialog dialog;
  dialog.Filter = "All Files (*.*)|*.*";
  bool typed = false;
  std::string failure;
  std::jthread typing = TypeIntoNextDialog(longest, typed, failure);
  dialog.ShowSave();
  typing.join();
  EXPECT_TRUE(typed) << failure;
  EXPECT_EQ(dialog.FileName, longest);
}

}  // namespace
}  // namespace rollkeep::win32
