#pragma once
// The chat client's windows as Rollkeep finds them, by window class. These
// are the client's own classes; class names compare without regard to case.
//
//   "AOL Frame25"          the client's main window (top-level)
//     "MDIClient"          the area that holds the client's document windows
//       "AOL Child"        a document window; a chat room when it has direct
//                          children of the four room marks, in this order:
//         "RICHCNTL"       the entry box (the first of the two)
//         "RICHCNTL"       the transcript (the second)
//         "_AOL_Listbox"   the members
//         "_AOL_Icon"      the send button
//         "_AOL_Static"    the room's name

#include <array>

namespace rollkeep::client {

inline constexpr char kFrameClass[] = "AOL Frame25";
inline constexpr char kDocumentAreaClass[] = "MDIClient";
inline constexpr char kDocumentClass[] = "AOL Child";
inline constexpr char kRichTextClass[] = "RICHCNTL";
inline constexpr char kMemberListClass[] = "_AOL_Listbox";
inline constexpr char kSendIconClass[] = "_AOL_Icon";
inline constexpr char kRoomNameClass[] = "_AOL_Static";

// The entry box is looked up in the lower-case spelling the client's add-ons
// have always used; it names the same class as kRichTextClass.
inline constexpr char kEntryBoxLookup[] = "richcntl";

// A document window is a chat room when it has a direct child of each class.
inline constexpr std::array<const char*, 4> kRoomMarks = {kRichTextClass, kMemberListClass,
                                                          kSendIconClass, kRoomNameClass};

}  // namespace rollkeep::client
