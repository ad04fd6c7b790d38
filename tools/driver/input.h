#pragma once
// Acting on another program's windows the way an operator would.

#include <windows.h>

#include <chrono>

namespace rollkeep::driver {

// Posts BM_CLICK: the button is pressed once the program gets to it. Posted,
// not sent, because a click that opens a modal box would block the sender.
void Click(HWND button);
// Posts WM_LBUTTONDBLCLK at the middle of the window's client area.
void DoubleClick(HWND window);
// Posts WM_CLOSE, as the close button of the title bar does.
void Close(HWND window);
// Posts WM_COMMAND for the control `id`, as a click on it tells its dialog.
void PostCommand(HWND dialog, int id);

// True when the window's thread handles a sent message within `timeout`.
bool Answers(HWND window, std::chrono::milliseconds timeout);

bool IsEnabled(HWND window);
bool IsVisible(HWND window);

}  // namespace rollkeep::driver
