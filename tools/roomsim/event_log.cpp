#include "event_log.h"

#include "text.h"

namespace roomsim {

bool EventLog::Open(const std::string& path) {
  file_.reset(std::fopen(path.c_str(), "wb"));
  return file_ != nullptr;
}

void EventLog::Write(std::string_view kind, std::string_view payload) {
  if (!file_) return;
  std::string line = FormatLogLine(clock_.ElapsedMs(), kind, payload);
  std::fwrite(line.data(), 1, line.size(), file_.get());
  std::fflush(file_.get());
}

}  // namespace roomsim
