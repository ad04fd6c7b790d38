#pragma once
// The chat client's window classes. The controls of a room are superclasses
// of the standard ones under the client's class names, so another program
// finds them with FindWindowExA exactly as it finds the real client's.

#include <windows.h>

namespace roomsim {

inline constexpr char kFrameClass[] = "AOL Frame25";
inline constexpr char kMdiClientClass[] = "MDIClient";
inline constexpr char kDocumentClass[] = "AOL Child";
inline constexpr char kRichClass[] = "RICHCNTL";  // EDIT
inline constexpr char kListClass[] = "_AOL_Listbox";  // LISTBOX
inline constexpr char kIconClass[] = "_AOL_Icon";  // BUTTON
inline constexpr char kStaticClass[] = "_AOL_Static";  // STATIC

// The control ids of a room. The RICHCNTL procedure hands the entry box's
// messages to its room first; other programs say a line as any member by
// filling the "Say as" and "Text" boxes and clicking "Say".
enum RoomControlId : int {
  kEntryId = 100,
  kTranscriptId,
  kMembersId,
  kSendId,
  kRoomNameId,
  kSayNameLabelId,
  kSayNameId,
  kSayTextLabelId,
  kSayTextId,
  kSayButtonId,
};

// Registers a window class of this program once (a repeat call finds it
// registered), with the arrow cursor, the application icon and `background`
// (a system colour index) behind it.
bool RegisterPlainClass(HINSTANCE instance, const char* name, WNDPROC proc, int background);

// Registers the four control classes; false when one cannot be registered.
// The frame and document classes are registered by their windows.
bool RegisterControlClasses(HINSTANCE instance);

// The standard EDIT procedure under RICHCNTL: a room uses it to change its
// entry box without that counting as a message the box received.
LRESULT CallEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace roomsim
