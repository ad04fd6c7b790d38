#include "window_tree_model.h"

#include <algorithm>
#include <utility>

namespace rollkeep::testing {
namespace {

bool SameClass(const std::string& a, const std::string& b) {
  const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return std::ranges::equal(a, b, {}, fold, fold);
}

}  // namespace

WindowHandle WindowTreeModel::Create(const std::string& className, WindowHandle parent,
                                     Place place) {
  if (parent != kNoWindow && Find(parent) == nullptr) return kNoWindow;
  const WindowHandle handle = next_ += 4;
  windows_.insert(place == Place::First ? windows_.begin() : windows_.end(),
                  Window{handle, parent, className, {}, {}, {}, Missed::Dropped, {}});
  return handle;
}

void WindowTreeModel::Destroy(WindowHandle window) {
  std::vector<WindowHandle> children;
  for (const Window& w : windows_) {
    if (w.parent == window) children.push_back(w.handle);
  }
  for (WindowHandle child : children) Destroy(child);
  std::erase_if(windows_, [&](const Window& w) { return w.handle == window; });
}

std::vector<std::string> WindowTreeModel::Messages(WindowHandle window) const {
  const Window* w = Find(window);
  return w == nullptr ? std::vector<std::string>() : w->messages;
}

std::size_t WindowTreeModel::DeliveredMessages() const {
  std::size_t total = 0;
  for (const Window& w : windows_) total += w.messages.size();
  return total;
}

WindowHandle WindowTreeModel::FindTopLevel(const std::string& className) {
  return Search(kNoWindow, kNoWindow, className);
}

WindowHandle WindowTreeModel::FindChild(WindowHandle parent, WindowHandle after,
                                        const std::string& className) {
  lookups_.push_back({parent, after, className});
  return Search(parent, after, className);
}

void WindowTreeModel::Hang(WindowHandle window, std::size_t answered, Missed missed) {
  if (Window* w = FindMutable(window)) {
    w->answersLeft = answered;
    w->missed = missed;
  }
}

void WindowTreeModel::Wake(WindowHandle window) {
  Window* w = FindMutable(window);
  if (w == nullptr) return;
  w->answersLeft.reset();
  for (std::string& message : std::exchange(w->late, {})) Handle(*w, std::move(message));
}

bool WindowTreeModel::SetText(WindowHandle window, const std::string& text) {
  return Deliver(window, std::string("WM_SETTEXT ").append(text));
}

bool WindowTreeModel::SendChar(WindowHandle window, int code) {
  return Deliver(window, std::string("WM_CHAR ").append(std::to_string(code)));
}

bool WindowTreeModel::SetCaretToEnd(WindowHandle window, const std::string& text) {
  const std::string end = std::to_string(text.size());
  return Deliver(window, "EM_SETSEL " + end + " " + end);
}

void WindowTreeModel::Type(WindowHandle window, const std::string& text) {
  if (Window* w = FindMutable(window)) w->text += text;
}

bool WindowTreeModel::Responds(WindowHandle window) {
  Window* w = FindMutable(window);
  return w != nullptr && Answers(*w);
}

std::optional<std::string> WindowTreeModel::Text(WindowHandle window) {
  Window* w = FindMutable(window);
  if (w == nullptr || !Answers(*w)) return std::nullopt;
  return w->text;
}

bool WindowTreeModel::Answers(Window& w) {
  if (!w.answersLeft) return true;
  if (*w.answersLeft == 0) {
    ++timedOut_;
    return false;
  }
  --*w.answersLeft;
  return true;
}

const WindowTreeModel::Window* WindowTreeModel::Find(WindowHandle window) const {
  return const_cast<WindowTreeModel*>(this)->FindMutable(window);
}

WindowTreeModel::Window* WindowTreeModel::FindMutable(WindowHandle window) {
  const auto it = std::ranges::find(windows_, window, &Window::handle);
  return it == windows_.end() ? nullptr : &*it;
}

WindowHandle WindowTreeModel::Search(WindowHandle parent, WindowHandle after,
                                     const std::string& className) const {
  bool past = after == kNoWindow;
  for (const Window& w : windows_) {
    if (w.parent != parent) continue;
    if (past && SameClass(w.className, className)) return w.handle;
    past = past || w.handle == after;
  }
  return kNoWindow;
}

bool WindowTreeModel::Deliver(WindowHandle window, std::string message) {
  Window* w = FindMutable(window);
  if (w == nullptr) {
    ++dropped_;
    return false;
  }
  if (!Answers(*w)) {
    if (w->missed == Missed::HandledLate) w->late.push_back(std::move(message));
    return false;
  }
  Handle(*w, std::move(message));
  return true;
}

void WindowTreeModel::Handle(Window& w, std::string message) {
  static const std::string kSetText = "WM_SETTEXT ";
  if (message.starts_with(kSetText)) w.text = message.substr(kSetText.size());
  if (message == "WM_CHAR 13") w.text.clear();
  w.messages.push_back(std::move(message));
}

}  // namespace rollkeep::testing
