#include "ui/res/art.h"

#include "ui/res/app_icon_svg.h"
#include "ui/res/ids.h"

namespace art {
namespace {

// A blank page with a folded corner and a small star: a new document.
const char* const kNewXpm[] = {
    "16 15 4 1",        ". c None",         "k c #000000",      "w c #FFFFFF",
    "y c #E0B000",      "..kkkkkkk.......", "..kwwwwwkk......", "..kwwwwwkwk.....",
    "..kwwwwwkkkk....", "..kwwwwwwwwk.y..", "..kwwwwwwwwky.y.", "..kwwwwwwwwk.y..",
    "..kwwwwwwwwk....", "..kwwwwwwwwk....", "..kwwwwwwwwk....", "..kwwwwwwwwk....",
    "..kwwwwwwwwk....", "..kwwwwwwwwk....", "..kkkkkkkkkk....", "................",
};

// An opening folder: open a file.
const char* const kOpenXpm[] = {
    "16 15 5 1",        ". c None",         "k c #000000",      "y c #F0D060",
    "o c #B08820",      "0 c #F8E890",      "................", "..........kkk...",
    ".........k...k.k", "..............kk", ".kkkk.........kk", "kyyyykkkkkkk.kkk",
    "kyyyyyyyyyyk....", "kyyyykkkkkkkkkk.", "kyyyko0000000k..", "kyyko000000ok...",
    "kyko0000000ok...", "kko000000ook....", "kkkkkkkkkkk.....", "................",
    "................",
};

// A diskette: save.
const char* const kSaveXpm[] = {
    "16 15 5 1",        ". c None",         "k c #000000",      "b c #2050A0",
    "w c #FFFFFF",      "g c #A0A0A0",      "kkkkkkkkkkkkkkk.", "kbkwwwwwwwwwkbk.",
    "kbkwwwwwwwwwkbk.", "kbkwwwwwwwwwkbk.", "kbkwwwwwwwwwkbk.", "kbbkkkkkkkkkbbk.",
    "kbbbbbbbbbbbbbk.", "kbbkkkkkkkkkbbk.", "kbbkggkggggkbbk.", "kbbkggkggggkbbk.",
    "kbbkggkggggkbbk.", ".kbkkkkkkkkkbbk.", "..kkkkkkkkkkkkk.", "................",
    "................",
};

// A page with angle brackets: write the HTML page.
const char* const kHtmlXpm[] = {
    "16 15 4 1",        ". c None",         "k c #000000",      "w c #FFFFFF",
    "r c #C02020",      "kkkkkkkkk.......", "kwwwwwwwkk......", "kwwwwwwwkwk.....",
    "kwwwwwwwkkkk....", "kwwwwwwwwwwk....", "kwwrwwwwrwwk....", "kwrwwwwwwrwk....",
    "krwwwwwwwwrk....", "kwrwwwwwwrwk....", "kwwrwwwwrwwk....", "kwwwwwwwwwwk.rr.",
    "kwwwwwwwwwwk.rrr", "kkkkkkkkkkkk.rr.", "................", "................",
};

// A question mark in a speech balloon: about the program.
const char* const kAboutXpm[] = {
    "16 15 4 1",        ". c None",         "k c #000000",      "w c #FFFFE0",
    "b c #2050A0",      "...kkkkkkkkk....", "..kwwwwwwwwwk...", ".kwwwbbbbbwwwk..",
    ".kwwbbwwwbbwwk..", ".kwwwwwwwbbwwk..", ".kwwwwwwbbwwwk..", ".kwwwwwbbwwwwk..",
    ".kwwwwwbbwwwwk..", ".kwwwwwwwwwwwk..", ".kwwwwwbbwwwwk..", "..kwwwwbbwwwk...",
    "...kkkwwwkkk....", ".....kwwk.......", "......kk........", "................",
};

}  // namespace

wxBitmap ToolBitmap(int command) {
  switch (command) {
    case ids::kFileNew:
      return wxBitmap(kNewXpm);
    case ids::kFileOpen:
      return wxBitmap(kOpenXpm);
    case ids::kFileSave:
      return wxBitmap(kSaveXpm);
    case ids::kHtmlExport:
      return wxBitmap(kHtmlXpm);
    case ids::kAppAbout:
      return wxBitmap(kAboutXpm);
    default:
      return wxBitmap();
  }
}

wxBitmapBundle AppIconArt() {
  return wxBitmapBundle::FromSVG(kAppIconSvg, wxSize(kAppIconSize, kAppIconSize));
}

wxIcon AppIcon() {
  wxIcon icon;
  icon.CopyFromBitmap(AppIconArt().GetBitmap(wxSize(kAppIconSize, kAppIconSize)));
  return icon;
}

wxIconBundle AppIcons() {
  const wxBitmapBundle art = AppIconArt();
  wxIconBundle icons;
  for (int size : kAppIconSizes) {
    wxIcon icon;
    icon.CopyFromBitmap(art.GetBitmap(wxSize(size, size)));
    icons.AddIcon(icon);
  }
  return icons;
}

}  // namespace art
