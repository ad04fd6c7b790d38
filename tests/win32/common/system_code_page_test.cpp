#include "platform/win32/common/system_code_page.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "roster/windows_1252.h"

namespace rollkeep::win32 {
namespace {

// On a Windows-1252 system the system's folding and conversion are what the
// portable Windows-1252 code page of the native tests does.
TEST(SystemCodePage, OnWindows1252FoldsAndConvertsAsThePortableOne) {
  if (::GetACP() != 1252) GTEST_SKIP() << "the system code page is " << ::GetACP();
  const SystemCodePage system;
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(system.foldTable()[b], Windows1252().foldTable()[b]) << "byte " << b;
  }
  for (const std::u16string& text : {std::u16string(u"Zo\u00EB \u20AC\u0178"), std::u16string(u"\u0141"),
                                     std::u16string(u"\u0100x"), std::u16string()}) {
    EXPECT_EQ(system.FromUtf16(text), Windows1252().FromUtf16(text));
  }
}

}  // namespace
}  // namespace rollkeep::win32
