#include "window_tree_model.h"

#include <algorithm>

namespace rollkeep::testing {
namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameClass(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

const std::vector<WindowMessage> kNoMessages;

}  // namespace

WindowHandle WindowTreeModel::Create(const std::string& className, WindowHandle parent,
                                     std::string text, Place place) {
  std::vector<WindowHandle>* siblings = SiblingsUnder(parent);
  if (siblings == nullptr) return kNoWindow;  // like CreateWindow under a dead parent
  const WindowHandle handle = next_;
  next_ += 4;
  windows_[handle] = Window{className, parent, std::move(text), {}, {}};
  siblings->insert(place == Place::First ? siblings->begin() : siblings->end(), handle);
  return handle;
}

void WindowTreeModel::Destroy(WindowHandle window) {
  Window* w = Find(window);
  if (w == nullptr) return;
  for (WindowHandle child : std::vector<WindowHandle>(w->children)) Destroy(child);
  std::vector<WindowHandle>* siblings = SiblingsUnder(w->parent);
  siblings->erase(std::find(siblings->begin(), siblings->end(), window));
  windows_.erase(window);
}

bool WindowTreeModel::Exists(WindowHandle window) const { return Find(window) != nullptr; }

std::string WindowTreeModel::Text(WindowHandle window) const {
  const Window* w = Find(window);
  return w == nullptr ? std::string() : w->text;
}

void WindowTreeModel::PutText(WindowHandle window, std::string text) {
  if (Window* w = Find(window)) w->text = std::move(text);
}

std::vector<WindowHandle> WindowTreeModel::Children(WindowHandle parent) const {
  const std::vector<WindowHandle>* siblings = SiblingsUnder(parent);
  return siblings == nullptr ? std::vector<WindowHandle>() : *siblings;
}

const std::vector<WindowMessage>& WindowTreeModel::Messages(WindowHandle window) const {
  const Window* w = Find(window);
  return w == nullptr ? kNoMessages : w->messages;
}

std::size_t WindowTreeModel::DeliveredMessages() const {
  std::size_t total = 0;
  for (const auto& [handle, w] : windows_) total += w.messages.size();
  return total;
}

WindowHandle WindowTreeModel::FindTopLevel(const std::string& className) {
  return FirstOfClass(topLevel_, kNoWindow, className);
}

WindowHandle WindowTreeModel::FindChild(WindowHandle parent, WindowHandle after,
                                        const std::string& className) {
  const std::vector<WindowHandle>* siblings = SiblingsUnder(parent);
  const WindowHandle result =
      siblings == nullptr ? kNoWindow : FirstOfClass(*siblings, after, className);
  lookups_.push_back({parent, after, className, result});
  return result;
}

void WindowTreeModel::SetText(WindowHandle window, const std::string& text) {
  if (Window* w = Find(window)) w->text = text;
  Deliver(window, WindowMessage::SetTextOf(text));
}

void WindowTreeModel::SendChar(WindowHandle window, int code) {
  Deliver(window, WindowMessage::CharOf(code));
}

WindowTreeModel::Window* WindowTreeModel::Find(WindowHandle window) {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

const WindowTreeModel::Window* WindowTreeModel::Find(WindowHandle window) const {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

std::vector<WindowHandle>* WindowTreeModel::SiblingsUnder(WindowHandle parent) {
  if (parent == kNoWindow) return &topLevel_;
  Window* w = Find(parent);
  return w == nullptr ? nullptr : &w->children;
}

const std::vector<WindowHandle>* WindowTreeModel::SiblingsUnder(WindowHandle parent) const {
  if (parent == kNoWindow) return &topLevel_;
  const Window* w = Find(parent);
  return w == nullptr ? nullptr : &w->children;
}

// As FindWindowEx: an `after` that is not one of the siblings finds nothing.
WindowHandle WindowTreeModel::FirstOfClass(const std::vector<WindowHandle>& order,
                                           WindowHandle after,
                                           const std::string& className) const {
  auto it = order.begin();
  if (after != kNoWindow) {
    it = std::find(order.begin(), order.end(), after);
    if (it == order.end()) return kNoWindow;
    ++it;
  }
  for (; it != order.end(); ++it) {
    if (SameClass(windows_.at(*it).className, className)) return *it;
  }
  return kNoWindow;
}

void WindowTreeModel::Deliver(WindowHandle window, WindowMessage message) {
  if (Window* w = Find(window)) {
    w->messages.push_back(std::move(message));
  } else {
    ++dropped_;
  }
}

ChatClientWindows AddChatClient(WindowTreeModel& model) {
  const WindowHandle frame = model.Create("AOL Frame25", kNoWindow, "America  Online");
  return {frame, model.Create("MDIClient", frame)};
}

ChatRoomWindows AddChatRoom(WindowTreeModel& model, const ChatClientWindows& client,
                            const std::string& name) {
  ChatRoomWindows r{};
  r.room = model.Create("AOL Child", client.mdiClient, name);
  r.entry = model.Create("RICHCNTL", r.room);
  r.transcript = model.Create("RICHCNTL", r.room);
  r.members = model.Create("_AOL_Listbox", r.room);
  r.sendButton = model.Create("_AOL_Icon", r.room);
  r.roomName = model.Create("_AOL_Static", r.room, name);
  return r;
}

WindowHandle AddDocumentWindow(WindowTreeModel& model, const ChatClientWindows& client) {
  return model.Create("AOL Child", client.mdiClient, "Welcome");
}

}  // namespace rollkeep::testing
