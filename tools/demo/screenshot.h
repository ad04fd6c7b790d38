#pragma once
// A picture of part of the screen, as a 24-bit BMP file.

#include <windows.h>

#include <string>

namespace rollkeep::demo {

// Copies `area` of the screen (what the display shows there, whichever
// windows those are) into a BMP file. Throws DriverError.
void SaveScreenArea(const RECT& area, const std::string& path);

// The bytes of a bottom-up 24-bit BMP file of width x height pixels whose
// rows (`pixels`, each padded to 4 bytes) are already in file order.
std::string BmpFile(int width, int height, const std::string& pixels);

}  // namespace rollkeep::demo
