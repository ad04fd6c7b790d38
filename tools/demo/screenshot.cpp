#include "screenshot.h"

#include <cstring>

#include "driver/files.h"
#include "driver/poll.h"
#include "platform/win32/common/unique_handle.h"
#include "platform/win32/ui/gdi_scope.h"

namespace rollkeep::demo {

namespace {

constexpr WORD kBitsPerPixel = 24;
constexpr WORD kBmpMagic = 0x4D42;  // "BM"

int RowBytes(int width) { return (width * 3 + 3) & ~3; }

BITMAPINFOHEADER PixelFormat(int width, int height) {
  BITMAPINFOHEADER format{};
  format.biSize = sizeof format;
  format.biWidth = width;
  format.biHeight = height;  // positive: bottom-up, the order of a BMP file
  format.biPlanes = 1;
  format.biBitCount = kBitsPerPixel;
  format.biCompression = BI_RGB;
  format.biSizeImage = static_cast<DWORD>(RowBytes(width) * height);
  return format;
}

template <typename T>
void Append(std::string& bytes, const T& value) {
  bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

}  // namespace

std::string BmpFile(int width, int height, const std::string& pixels) {
  const BITMAPINFOHEADER format = PixelFormat(width, height);
  BITMAPFILEHEADER header{};
  header.bfType = kBmpMagic;
  header.bfOffBits = sizeof header + sizeof format;
  header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels.size());
  std::string bytes;
  bytes.reserve(header.bfSize);
  Append(bytes, header);
  Append(bytes, format);
  bytes += pixels;
  return bytes;
}

void SaveScreenArea(const RECT& area, const std::string& path) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) throw driver::DriverError("nothing to capture");

  win32::WindowDc screen;
  win32::MemoryDc memory(screen.dc());
  BITMAPINFO info{};
  info.bmiHeader = PixelFormat(width, height);
  void* bits = nullptr;
  win32::UniqueBitmap bitmap(
      ::CreateDIBSection(screen.dc(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!screen.dc() || !memory || !bitmap || !bits) {
    throw driver::DriverError("cannot prepare a bitmap for the screenshot");
  }
  {
    win32::SelectScope select(memory.dc(), bitmap.get());
    if (!::BitBlt(memory.dc(), 0, 0, width, height, screen.dc(), area.left, area.top,
                  SRCCOPY | CAPTUREBLT)) {
      throw driver::DriverError("cannot copy the screen (error " +
                                std::to_string(::GetLastError()) + ")");
    }
    ::GdiFlush();
  }
  const std::string pixels(static_cast<const char*>(bits), info.bmiHeader.biSizeImage);
  driver::WriteFileBytes(path, BmpFile(width, height, pixels));
}

}  // namespace rollkeep::demo
