#pragma once
// The application icon's SVG text (UTF-8, zero-terminated), compiled in from
// data/icons/quillmap.svg: the window icon and the icon theme's files come from the same art.

namespace art {

extern const char kAppIconSvg[];

}  // namespace art
