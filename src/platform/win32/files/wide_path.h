#pragma once
// Paths for the wide file functions. Roster paths are ANSI strings in this
// program; the file work converts them once, to full paths that carry the
// "\\?\" prefix when they are too long for MAX_PATH, so any path the dialogs
// accept can be written, replaced and read.

#include <windows.h>

#include <optional>
#include <string>

namespace rollkeep::win32 {

// `path` (ANSI code page) as a wide string, unchanged otherwise.
std::wstring WideFromAnsi(const std::string& text);

// `text` in the ANSI code page; nullopt when a character has no exact
// counterpart there (the result would name another file).
std::optional<std::string> AnsiFromWide(const std::wstring& text);

// The full form of `path` (ANSI), prefixed "\\?\" (or "\\?\UNC\") when it
// does not fit MAX_PATH. Empty, with the error in GetLastError, on failure.
std::wstring FullWidePath(const std::string& path);

// The same for a full wide path: the prefix when it is long, else as is.
std::wstring WithLongPrefix(std::wstring fullPath);

}  // namespace rollkeep::win32
