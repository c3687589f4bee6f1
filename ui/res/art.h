#pragma once
// The editor's own pictures: the five tool bar images (16 x 15 pixels, in the order of tool bar
// 128 without its separator), drawn as XPM, and icon 128, the application icon, drawn from the
// SVG that is also installed into the desktop's icon theme (data/icons/quillmap.svg).

#include <wx/bitmap.h>
#include <wx/bmpbndl.h>
#include <wx/icon.h>
#include <wx/iconbndl.h>

namespace art {

inline constexpr int kToolWidth = 16;
inline constexpr int kToolHeight = 15;

// Image of a tool bar button by its command (57600, 57601, 57603, 32774, 57664); an empty
// bitmap for any other command.
wxBitmap ToolBitmap(int command);

// Icon 128: the application icon at kAppIconSize (the About box, document windows).
inline constexpr int kAppIconSize = 32;
wxIcon AppIcon();

// The application icon at every size the icon theme holds, for the main window: the desktop
// picks the one that fits its title bar, task bar or window switcher.
inline constexpr int kAppIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
wxIconBundle AppIcons();

// The icon's art, to draw at any size; empty if the compiled-in SVG could not be read.
wxBitmapBundle AppIconArt();

}  // namespace art
