#pragma once
// A desktop of the demonstration's own, for a tidy picture under Wine.
// Without a window manager (a bare X server) the windows would have no title
// bars; Wine shows a desktop that has a size configured under
// HKCU\Software\Wine\Explorer\Desktops as one window of that size (a
// "virtual desktop") and draws the title bars inside it itself. On Windows
// another desktop is not visible: use this under Wine only.

#include <windows.h>

#include <string>

#include "platform/win32/common/unique_handle.h"

namespace rollkeep::demo {

struct DesktopSize {
  int width = 0;
  int height = 0;
};

// "1100x640" -> {1100, 640}; {0, 0} when the text is not such a size.
DesktopSize ParseDesktopSize(const std::string& text);

class OwnDesktop {
public:
  // Configures and opens the desktop and makes it this thread's, so that
  // the programs started from now on (and this thread's screen DC) are
  // there. Throws DriverError.
  OwnDesktop(const std::string& name, DesktopSize size);
  // Returns this thread to the desktop it had.
  ~OwnDesktop();
  OwnDesktop(const OwnDesktop&) = delete;
  OwnDesktop& operator=(const OwnDesktop&) = delete;

private:
  struct DesktopTraits {
    using Handle = HDESK;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::CloseDesktop(h); }
  };

  HDESK previous_;
  win32::UniqueHandle<DesktopTraits> desktop_;
};

}  // namespace rollkeep::demo
