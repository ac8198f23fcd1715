#pragma once

#include <QRect>

// The main window as designed, in twips: its client area and its controls in the window's own
// control order. Everything that needs to know where a control sits reads it from here (the
// window itself, its tests, and through scarabo-facts the scripts that check screenshots).
namespace frmMainDesign {

struct Control {
    const char* name;
    QRect twips;
};

inline constexpr int ClientWidth = 8400;
inline constexpr int ClientHeight = 4605;

inline constexpr Control Controls[] = {
    {"Picture1", {240, 2280, 750, 750}},   {"txtEnglish", {120, 600, 2415, 375}},
    {"Picture10", {7410, 2280, 750, 750}}, {"Picture9", {6615, 2280, 750, 750}},
    {"Picture8", {5805, 2280, 750, 750}},  {"Picture7", {5010, 2280, 750, 750}},
    {"Picture6", {4215, 2280, 750, 750}},  {"Picture5", {3420, 2280, 750, 750}},
    {"Picture4", {2625, 2280, 750, 750}},  {"Picture3", {1830, 2280, 750, 750}},
    {"Picture2", {1035, 2280, 750, 750}},  {"cmdExit", {7320, 4200, 975, 375}},
    {"cmdGo", {2640, 600, 975, 375}},      {"Label1", {120, 360, 1095, 255}},
    {"Label3", {120, 2160, 8175, 975}},    {"Label2", {120, 1920, 5175, 375}},
};

// The tag of every control: the group stays centred as the window is resized.
inline constexpr const char* LayoutTag = "X=1/2 Y=1/2";

// The side of a glyph box.
inline constexpr int GlyphBoxTwips = 750;

// Controls that explain the row, in the empty space between the glyph band and the Exit button:
// a caption under each glyph box, a note line and the row as Unicode text.
inline constexpr Control AddedControls[] = {
    {"lblCaption1", {240, 3150, 750, 240}},  {"lblCaption2", {1035, 3150, 750, 240}},
    {"lblCaption3", {1830, 3150, 750, 240}}, {"lblCaption4", {2625, 3150, 750, 240}},
    {"lblCaption5", {3420, 3150, 750, 240}}, {"lblCaption6", {4215, 3150, 750, 240}},
    {"lblCaption7", {5010, 3150, 750, 240}}, {"lblCaption8", {5805, 3150, 750, 240}},
    {"lblCaption9", {6615, 3150, 750, 240}}, {"lblCaption10", {7410, 3150, 750, 240}},
    {"lblNote", {120, 3405, 7080, 255}},     {"lblUnicode", {120, 3660, 7080, 540}},
};

// The name as it is written, in the space right of the Convert button and above the translation.
// Its tag keeps it there as the window grows: it moves with the group's left half and takes the
// growth above the group and to its right.
inline constexpr Control Preview = {"picWriting", {3735, 120, 4545, 1680}};
inline constexpr const char* PreviewTag = "X=1/2 W=1/2 H=1/2";

} // namespace frmMainDesign
