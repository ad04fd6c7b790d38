#pragma once
// Fakes for the roster file procedures: a scripted file dialog, a recording
// prompt, a file system decorator that fails on demand, and a temporary folder.

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "rosterfile/file_dialog.h"
#include "rosterfile/file_system.h"
#include "rosterfile/prompt.h"

namespace rollkeep::testing {

class FakeDialog : public FileDialog {
public:
  enum class Script { Choose, Cancel, Fail };
  struct Shown {
    std::string which;  // "open" or "save"
    bool cancelError;
    std::string filter;
    int filterIndex;
  };

  Script script = Script::Choose;
  std::string chosenPath;
  std::vector<Shown> shown;

  void ShowOpen() override { Show("open"); }
  void ShowSave() override { Show("save"); }

private:
  void Show(const std::string& which) {
    shown.push_back({which, CancelError, Filter, FilterIndex});
    switch (script) {
      case Script::Choose:
        FileName = chosenPath;
        return;
      case Script::Cancel:
        FileName.clear();
        if (CancelError) throw DialogCancelled();
        return;
      case Script::Fail:
        throw DialogFailed("The dialog could not be shown.");
    }
  }
};

class FakePrompt : public Prompt {
public:
  struct Shown {
    std::string text;
    std::string title;
    unsigned style;
  };
  std::vector<Shown> shown;
  std::deque<int> answers;  // kAnswerOk once they run out

  int Show(const std::string& text, const std::string& title, unsigned style) override {
    shown.push_back({text, title, style});
    if (answers.empty()) return kAnswerOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

// Passes everything to `inner`, except what it is told to fail.
class FailingFileSystem : public FileSystem {
public:
  explicit FailingFileSystem(FileSystem& inner) : inner_(inner) {}
  bool failReads = false;
  bool failWrites = false;
  std::string reason = "Access is denied.";
  int writes = 0;

  bool IsOrdinaryFile(const std::string& path) override { return inner_.IsOrdinaryFile(path); }
  IoStatus ReadAll(const std::string& path, std::string& bytes) override {
    if (failReads) return IoStatus::Failed(reason);
    return inner_.ReadAll(path, bytes);
  }
  IoStatus WriteAllSafely(const std::string& path, std::string_view bytes) override {
    ++writes;
    if (failWrites) return IoStatus::Failed(reason);
    return inner_.WriteAllSafely(path, bytes);
  }

private:
  FileSystem& inner_;
};

// A fresh folder under the system's temporary folder, removed with its contents.
class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }
  // Names of everything in the folder, sorted.
  std::vector<std::string> names() const;

private:
  std::filesystem::path path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);

}  // namespace rollkeep::testing
