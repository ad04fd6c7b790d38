#include "platform/win32/ui/program_resources.h"

#include "platform/win32/res/resource.h"

namespace rollkeep::win32 {

HICON LoadProgramIcon(HINSTANCE instance) {
  return static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(IDI_ROLLKEEP), IMAGE_ICON, 0, 0,
                                         LR_DEFAULTSIZE | LR_SHARED));
}

UniqueBitmap LoadSplashPicture(HINSTANCE instance) {
  return UniqueBitmap(static_cast<HBITMAP>(::LoadImageA(instance, MAKEINTRESOURCEA(IDB_SPLASH),
                                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

}  // namespace rollkeep::win32
