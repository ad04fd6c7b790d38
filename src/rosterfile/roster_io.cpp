#include "rosterfile/roster_io.h"

#include <exception>
#include <new>
#include <optional>
#include <string_view>

#include "rosterfile/failure_text.h"
#include "rosterfile/roster_file.h"

namespace Brask32 {

using rollkeep::FileDialog;
using rollkeep::FileOutcome;
using rollkeep::FileSystem;
using rollkeep::Prompt;
using rollkeep::Roster;

namespace {

constexpr std::string_view kAllFilesFilter = "All Files (*.*)|*.*";
constexpr std::string_view kOverwriteTitle = "Error";
constexpr unsigned kOverwriteStyle = rollkeep::kStyleOkCancel | rollkeep::kStyleQuestion;
constexpr std::string_view kFailureTitle = "Rollkeep";
constexpr unsigned kFailureStyle = rollkeep::kStyleOk | rollkeep::kStyleWarning;

static_assert(Roster::kCapacity == 32767, "the oversize message names the capacity");
constexpr std::string_view kTooManyNames = "it holds more than 32,767 names";
constexpr std::string_view kNoMemory = "there is not enough memory";

// What an action is called in the operator's messages.
struct Action {
  std::string_view verb;         // "saved"
  std::string_view preposition;  // "to"
};
constexpr Action kSave{"saved", "to"};
constexpr Action kLoad{"loaded", "from"};

FileOutcome Done() { return {}; }
FileOutcome Cancelled() { return {FileOutcome::Kind::Cancelled, {}}; }

// Tells the operator, so nobody takes a failed save or load for done.
FileOutcome Failed(Prompt& prompt, std::string text) {
  prompt.Show(text, std::string(kFailureTitle), kFailureStyle);
  return {FileOutcome::Kind::Failed, std::move(text)};
}

FileOutcome FailedAt(Prompt& prompt, Action action, const std::string& path,
                     std::string_view reason) {
  return Failed(prompt, rollkeep::FileFailureText(action.verb, action.preposition, path, reason));
}

void PrepareDialog(FileDialog& dialog) {
  dialog.CancelError = true;
  dialog.Filter = std::string(kAllFilesFilter);
  dialog.FilterIndex = 0;
}

// Shows the dialog and leaves the chosen path in `path`; any other result
// ends the procedure with the outcome returned. A dialog that returns no
// path chose nothing, which is the same as Cancel.
std::optional<FileOutcome> AskForPath(FileDialog& dialog, void (FileDialog::*show)(),
                                      Prompt& prompt, Action action, std::string& path) {
  PrepareDialog(dialog);
  try {
    (dialog.*show)();
  } catch (const rollkeep::DialogCancelled&) {
    return Cancelled();
  } catch (const std::exception& e) {
    return Failed(prompt, rollkeep::FileFailureText(action.verb, e.what()));
  }
  path = dialog.FileName;
  if (path.empty()) return Cancelled();
  return std::nullopt;
}

bool OperatorKeepsExisting(Prompt& prompt, FileSystem& files, const std::string& path) {
  if (!files.IsOrdinaryFile(path)) return false;
  const std::string text = "This file already exists: " + path + ", do you wish replace it?";
  // Only an explicit OK replaces the file; Cancel, or a box that could not
  // be shown at all, keeps it.
  return prompt.Show(text, std::string(kOverwriteTitle), kOverwriteStyle) != rollkeep::kAnswerOk;
}

FileOutcome WriteRoster(const Roster& roster, Prompt& prompt, FileSystem& files,
                        const std::string& path) {
  const rollkeep::IoStatus status =
      files.WriteAllSafely(path, rollkeep::EncodeRoster(roster.entries()));
  if (!status.ok) return FailedAt(prompt, kSave, path, status.reason);
  return Done();
}

FileOutcome ReadRoster(Roster& roster, Prompt& prompt, FileSystem& files,
                       const std::string& path) {
  std::string bytes;
  const rollkeep::IoStatus status = files.ReadAll(path, bytes);
  if (!status.ok) return FailedAt(prompt, kLoad, path, status.reason);
  // Decoding stops one line past the capacity; assign refuses such a list.
  rollkeep::DecodedRoster decoded =
      rollkeep::DecodeRosterFile(bytes, roster.codePage(), Roster::kCapacity);
  if (!decoded.read()) return FailedAt(prompt, kLoad, path, decoded.refused);
  if (!roster.assign(std::move(decoded.names))) {
    return FailedAt(prompt, kLoad, path, kTooManyNames);
  }
  return Done();
}

// The file work after the dialogs, with its exceptions (out of memory on a
// huge file, a file system that throws) turned into a reported failure.
template <typename Work>
FileOutcome Guarded(Prompt& prompt, Action action, const std::string& path, Work work) {
  try {
    return work();
  } catch (const std::bad_alloc&) {
    return FailedAt(prompt, action, path, kNoMemory);
  } catch (const std::exception& e) {
    return FailedAt(prompt, action, path, e.what());
  }
}

}  // namespace

FileOutcome SaveRoster(const Roster& roster, FileDialog& dialog, Prompt& prompt,
                       FileSystem& files) {
  std::string path;
  if (auto ended = AskForPath(dialog, &FileDialog::ShowSave, prompt, kSave, path)) return *ended;
  return Guarded(prompt, kSave, path, [&] {
    if (OperatorKeepsExisting(prompt, files, path)) return Cancelled();
    return WriteRoster(roster, prompt, files, path);
  });
}

FileOutcome LoadRoster(Roster& roster, FileDialog& dialog, Prompt& prompt, FileSystem& files) {
  std::string path;
  if (auto ended = AskForPath(dialog, &FileDialog::ShowOpen, prompt, kLoad, path)) return *ended;
  return Guarded(prompt, kLoad, path, [&] { return ReadRoster(roster, prompt, files, path); });
}

}  // namespace Brask32
