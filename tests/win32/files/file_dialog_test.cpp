// The file dialogs and the paths they accept, as a hostile tester types
// them: a path of 259 characters (the longest that fits MAX_PATH) saved,
// replaced and read back with no stray file beside it; device names refused
// for load (and save) with the failure box and the roster kept; the dialogs,
// worked from a helper thread while this one sits in their modal loop.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/win32/files/common_file_dialog.h"
#include "platform/win32/files/wide_path.h"
#include "platform/win32/files/win32_file_system.h"
#include "rosterfile/roster_io.h"
#include "support/fake_windows.h"
#include "support/win32_client.h"

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

TEST(LongPaths, EveryPathTheDialogsAcceptWorksOrIsRefused) {
  rollkeep::testing::TempFolder temp;
  Win32FileSystem files;
  DeepFolder deep(temp.path, kLongest - 5);  // + "\list" = 259 characters
  const std::string longest = deep.path + "\\list";
  ASSERT_EQ(longest.size(), kLongest);
  deep.files.push_back(longest);

  struct Row { const char* what; std::string path; bool works; };
  const Row rows[] = {
      {"259 characters", longest, true},
      {"nul.txt", temp.file("nul.txt"), false},
      {"NUL", temp.file("NUL"), false},
      {"con", temp.file("con"), false},
      {"Com1.txt", temp.file("Com1.txt"), false},
      {"lpt9.log", temp.file("lpt9.log"), false},
      {"aux.txt", temp.file("aux.txt"), false},
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
    rollkeep::testing::FakeFileDialog scripted(log);
    scripted.choices = {row.path};
    const FileOutcome loaded = Brask32::LoadRoster(roster, scripted, prompt, files);

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

  rollkeep::testing::TempFolder folder;
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

// A short path and one of 259 characters (the longest that fits MAX_PATH)
// typed into either dialog come back whole as the chosen file.
TEST_F(CommonFileDialogTest, APathTypedIntoEitherDialogIsTheChosenFile) {
  DeepFolder deep(folder.path, kLongest - 5);
  const std::string paths[] = {folder.file("roster.txt"), deep.path + "\\list"};
  ASSERT_EQ(paths[1].size(), kLongest);
  for (const std::string& path : paths) {
    deep.files.push_back(path);
    ASSERT_TRUE(Win32FileSystem().WriteAllSafely(path, "Ann\r\n").ok);
    for (const bool save : {true, false}) {
      SCOPED_TRACE(::testing::Message() << path.size() << (save ? " save" : " open"));
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
