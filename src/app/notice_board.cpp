#include "app/notice_board.h"

#include <utility>

namespace rollkeep {

namespace {

// As soon as the timer can: after the work that raised the notice.
constexpr unsigned kShowDelayMs = 1;

}  // namespace

int NoticeBoard::Show(const std::string& text, const std::string& title, unsigned style) {
  waiting_.push_back({text, title, style});
  // Without a timer the box shows now rather than never.
  if (!showing_ && !timer_.Start(kShowDelayMs)) ShowWaiting();
  return kAnswerOk;
}

void NoticeBoard::ShowWaiting() {
  timer_.Stop();
  if (showing_) return;
  showing_ = true;
  try {
    while (!waiting_.empty()) {
      const Notice notice = std::move(waiting_.front());
      waiting_.pop_front();
      boxes_.Show(notice.text, notice.title, notice.style);
    }
  } catch (...) {
    showing_ = false;
    throw;
  }
  showing_ = false;
}

void NoticeBoard::DropWaiting() {
  waiting_.clear();
  timer_.Stop();
}

}  // namespace rollkeep
