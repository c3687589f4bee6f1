#pragma once
// The editor's own pictures, drawn for it as XPM: the five tool bar images (16 x 15 pixels, in
// the order of tool bar 128 without its separator) and icon 128.

#include <wx/bitmap.h>
#include <wx/icon.h>

namespace art {

inline constexpr int kToolWidth = 16;
inline constexpr int kToolHeight = 15;

// Image of a tool bar button by its command (57600, 57601, 57603, 32774, 57664); an empty
// bitmap for any other command.
wxBitmap ToolBitmap(int command);

// Icon 128: the application icon (32 x 32).
wxIcon AppIcon();

}  // namespace art
