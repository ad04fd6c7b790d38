#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/win32/common/unique_handle.h"
#include "platform/win32/room/user32_window_ops.h"

namespace rollkeep {
namespace {

using win32::ReadWindowText;
using win32::UniqueWindow;

// A window whose text grows by `growBy` bytes after each WM_GETTEXTLENGTH,
// `times` times: a transcript being appended to while it is read.
struct Growth {
  std::size_t growBy = 0;
  int times = 0;
  std::string text;
};

LRESULT CALLBACK GrowingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  auto* g = reinterpret_cast<Growth*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (g == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_GETTEXTLENGTH) {
    const LRESULT length = static_cast<LRESULT>(g->text.size());
    if (g->times > 0) {
      --g->times;
      g->text.append(g->growBy, 'g');
    }
    return length;
  }
  if (message == WM_GETTEXT) {
    const std::size_t n = std::min<std::size_t>(g->text.size(), wParam - 1);
    std::memcpy(reinterpret_cast<char*>(lParam), g->text.data(), n);
    reinterpret_cast<char*>(lParam)[n] = '\0';
    return static_cast<LRESULT>(n);
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

UniqueWindow MakeWindow(const char* className, WNDPROC proc, const char* text = "") {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (!::GetClassInfoExA(::GetModuleHandleA(nullptr), className, &wc)) {
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    ::RegisterClassExA(&wc);
  }
  return UniqueWindow(::CreateWindowExA(0, className, text, WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                        nullptr, ::GetModuleHandleA(nullptr), nullptr));
}

TEST(ReadWindowText, ReadsTheWholeText) {
  const std::string texts[] = {"", "a", "Ann:\tlist me\r\nBob:\tcaf\xE9\r\n",
                               std::string(200000, 'x') + "end"};
  for (const std::string& text : texts) {
    UniqueWindow w = MakeWindow("RollkeepTestPlain", ::DefWindowProcA);
    ASSERT_TRUE(w);
    ASSERT_TRUE(::SetWindowTextA(w.get(), text.c_str()));
    std::string out = "stale";
    EXPECT_TRUE(ReadWindowText(w.get(), out, 1000));
    EXPECT_EQ(out, text);
  }
}

TEST(ReadWindowText, FailsForNoWindow) {
  UniqueWindow w = MakeWindow("RollkeepTestPlain", ::DefWindowProcA, "gone");
  const HWND dead = w.get();
  w.reset();
  for (HWND window : {static_cast<HWND>(nullptr), dead}) {
    std::string out = "stale";
    EXPECT_FALSE(ReadWindowText(window, out, 1000));
    EXPECT_EQ(out, "");
  }
}

TEST(ReadWindowText, ReadsATextThatGrewMeanwhileWhole) {
  struct Case {
    std::size_t growBy;
    int times;
  } cases[] = {{10, 1}, {100000, 1}, {100000, 2}};
  for (const Case& c : cases) {
    Growth g{c.growBy, c.times, std::string(5000, 'a')};
    UniqueWindow w = MakeWindow("RollkeepTestGrowing", GrowingProc);
    ASSERT_TRUE(w);
    ::SetWindowLongPtrA(w.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&g));
    std::string out;
    EXPECT_TRUE(ReadWindowText(w.get(), out, 1000));
    if (c.times == 1) {
      EXPECT_EQ(out, g.text) << c.growBy;  // small growth fits; large is read again
    } else {
      // Still growing after the one retry: what was read is a start of the text.
      EXPECT_GT(out.size(), 5000u + c.growBy);
      EXPECT_EQ(out, g.text.substr(0, out.size()));
    }
    ::SetWindowLongPtrA(w.get(), GWLP_USERDATA, 0);
  }
}

}  // namespace
}  // namespace rollkeep
