#pragma once
// What the main window holds and where: the six buttons and the roster list,
// with their ids, captions and places in twips, in tab order.

#include <windows.h>

#include <array>

namespace rollkeep::win32 {

inline constexpr int kCommand1Id = 101;
inline constexpr int kCommand2Id = 102;
inline constexpr int kCommand3Id = 103;
inline constexpr int kCommand4Id = 104;
inline constexpr int kCommand5Id = 105;
inline constexpr int kCommand6Id = 106;
inline constexpr int kList1Id = 110;

inline constexpr char kMainCaption[] = "Rollkeep";
inline constexpr int kMainClientWidthTwips = 4320;
inline constexpr int kMainClientHeightTwips = 1500;

enum class ControlKind { Button, ListBox };

struct ControlSpec {
  int id;
  ControlKind kind;
  const char* caption;
  int left, top, width, height;  // twips, in the client area
};

// Created in this order, which is also the order Tab moves through them.
inline constexpr std::array<ControlSpec, 7> kMainControls{{
    {kCommand1Id, ControlKind::Button, "on", 120, 1080, 975, 375},
    {kCommand2Id, ControlKind::Button, "off", 3120, 1080, 1095, 375},
    {kList1Id, ControlKind::ListBox, "", 1200, 0, 1815, 1425},
    {kCommand3Id, ControlKind::Button, "save list", 120, 120, 975, 375},
    {kCommand4Id, ControlKind::Button, "load list", 120, 600, 975, 375},
    {kCommand5Id, ControlKind::Button, "remove selected", 3120, 600, 1095, 375},
    {kCommand6Id, ControlKind::Button, "clear list", 3120, 120, 1095, 375},
}};

}  // namespace rollkeep::win32
