#pragma once
// Windows-1252 (Western European), the code page the core uses when the
// platform names no other: the native tests, the benchmarks, the fuzzers.

#include "ports/code_page.h"

namespace rollkeep {

const CodePage& Windows1252();

}  // namespace rollkeep
