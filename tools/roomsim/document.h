#pragma once
// A document window of the client: an "AOL Child" under the MDI client. The
// frame owns each Document until its window is destroyed.

#include <windows.h>

#include <optional>
#include <string>

namespace roomsim {

class Frame;

class Document {
public:
  virtual ~Document() = default;
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // Registers the "AOL Child" class once; false when that fails.
  static bool RegisterWindowClass(HINSTANCE instance);
  // The Document of an "AOL Child" window, or null for any other window.
  static Document* FromWindow(HWND window);

  // Creates the window under the MDI client; false when that fails.
  bool Open(HWND mdiClient);
  HWND Window() const { return window_; }
  const std::string& Title() const { return title_; }

  // A message for the entry box; a result means it was handled here.
  virtual std::optional<LRESULT> OnEntryMessage(HWND, UINT, WPARAM, LPARAM) {
    return std::nullopt;
  }

protected:
  Document(Frame& frame, std::string title) : frame_(frame), title_(std::move(title)) {}

  virtual void OnCreate() = 0;
  virtual void OnSize(int width, int height) = 0;
  virtual void OnCommand(int /*id*/, int /*code*/) {}

  // Creates a child control in the default GUI font; children come in
  // creation order, which is the order FindWindowExA walks them in.
  HWND AddChild(const char* className, const char* text, DWORD style, int id);
  static void Place(HWND control, int x, int y, int width, int height);

  Frame& frame_;

private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  std::string title_;
  HWND window_ = nullptr;
};

}  // namespace roomsim
