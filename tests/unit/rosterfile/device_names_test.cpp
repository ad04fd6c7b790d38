#include "rosterfile/device_names.h"

#include <gtest/gtest.h>

namespace rollkeep {
namespace {

TEST(NamesDosDevice, DevicesInAnyCaseFolderOrExtensionOthersNot) {
  struct Case { const char* path; bool device; };
  const Case cases[] = {
      {"nul", true}, {"NUL", true}, {"C:\\lists\\nul.txt", true}, {"C:\\lists\\Nul.TXT", true},
      {"C:/lists/con", true}, {"prn.list.txt", true}, {"AUX", true}, {"com1", true},
      {"C:\\LPT9.txt", true}, {"nul .txt", true}, {"C:nul", true}, {"CONOUT$", true},
      {"C:\\lists\\null.txt", false}, {"C:\\nul\\list.txt", false}, {"com0", false},
      {"com10", false}, {"lpt", false}, {"console.txt", false}, {"my nul.txt", false},
      {"", false}, {"C:\\lists\\", false}, {"anul", false}};
  for (const Case& c : cases) EXPECT_EQ(NamesDosDevice(c.path), c.device) << c.path;
}

}  // namespace
}  // namespace rollkeep
