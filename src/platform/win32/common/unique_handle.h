#pragma once
// Non-copyable, movable owners of Win32 handles, each knowing its invalid
// value and how to close it.

#include <windows.h>

#include <utility>

namespace rollkeep::win32 {

// Traits: `Handle`, `static Handle Invalid()`, `static void Close(Handle)`.
template <typename Traits>
class UniqueHandle {
public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : h_(h) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  Handle get() const { return h_; }
  explicit operator bool() const { return h_ != Traits::Invalid(); }
  Handle release() { return std::exchange(h_, Traits::Invalid()); }
  void reset(Handle h = Traits::Invalid()) {
    if (h_ != Traits::Invalid()) Traits::Close(h_);
    h_ = h;
  }

private:
  Handle h_ = Traits::Invalid();
};

template <typename H, auto CloseFn>
struct NullInvalid {
  using Handle = H;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { CloseFn(h); }
};

struct FileTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { ::CloseHandle(h); }
};

inline void CloseKernel(HANDLE h) { ::CloseHandle(h); }
inline void DestroyWindowHandle(HWND h) { ::DestroyWindow(h); }
inline void DeleteGdi(HGDIOBJ h) { ::DeleteObject(h); }
inline void DestroyIconHandle(HICON h) { ::DestroyIcon(h); }

// Files: CreateFile reports failure as INVALID_HANDLE_VALUE.
using UniqueFile = UniqueHandle<FileTraits>;
// Events, processes, threads: failure is NULL.
using UniqueKernelHandle = UniqueHandle<NullInvalid<HANDLE, CloseKernel>>;
using UniqueWindow = UniqueHandle<NullInvalid<HWND, DestroyWindowHandle>>;
using UniqueFont = UniqueHandle<NullInvalid<HFONT, DeleteGdi>>;
using UniqueBitmap = UniqueHandle<NullInvalid<HBITMAP, DeleteGdi>>;
using UniqueBrush = UniqueHandle<NullInvalid<HBRUSH, DeleteGdi>>;
using UniqueIcon = UniqueHandle<NullInvalid<HICON, DestroyIconHandle>>;

}  // namespace rollkeep::win32
