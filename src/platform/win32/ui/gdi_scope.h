#pragma once
// Scoped GDI state: a paint cycle, a memory DC, and an object selected into
// a DC, each undone when the scope ends. Not copyable.

#include <windows.h>

namespace rollkeep::win32 {

class PaintScope {
public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(::BeginPaint(hwnd, &ps_)) {}
  ~PaintScope() { ::EndPaint(hwnd_, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return dc_; }

private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

class MemoryDc {
public:
  explicit MemoryDc(HDC compatibleWith) : dc_(::CreateCompatibleDC(compatibleWith)) {}
  ~MemoryDc() {
    if (dc_ != nullptr) ::DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC dc() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

private:
  HDC dc_;
};

class SelectScope {
public:
  SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~SelectScope() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;

private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A window's DC, or the whole screen's for nullptr: for measuring text.
class WindowDc {
public:
  explicit WindowDc(HWND hwnd = nullptr) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ::ReleaseDC(hwnd_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC dc() const { return dc_; }

private:
  HWND hwnd_;
  HDC dc_;
};

}  // namespace rollkeep::win32
