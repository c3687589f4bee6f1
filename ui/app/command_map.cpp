#include "ui/app/command_map.h"

#include <array>
#include <utility>

#include <wx/defs.h>

#include "ui/res/ids.h"

namespace command_map {
namespace {

constexpr std::array<std::pair<int, int>, 19> kMap = {{
    {ids::kFileNew, wxID_NEW},
    {ids::kFileOpen, wxID_OPEN},
    {ids::kFileClose, wxID_CLOSE},
    {ids::kFileSave, wxID_SAVE},
    {ids::kFileSaveAs, wxID_SAVEAS},
    {ids::kFilePrintSetup, wxID_PRINT_SETUP},
    {ids::kFilePrint, wxID_PRINT},
    {ids::kFilePrintPreview, wxID_PREVIEW},
    {ids::kFileMru1, wxID_FILE1},
    {ids::kFileMru1 + 1, wxID_FILE2},
    {ids::kFileMru1 + 2, wxID_FILE3},
    {ids::kFileMru1 + 3, wxID_FILE4},
    {ids::kWindowArrange, wxID_MDI_WINDOW_ARRANGE_ICONS},
    {ids::kWindowCascade, wxID_MDI_WINDOW_CASCADE},
    {ids::kWindowTile, wxID_MDI_WINDOW_TILE_HORZ},
    {ids::kAppAbout, wxID_ABOUT},
    {ids::kAppExit, wxID_EXIT},
    {ids::kUndo, wxID_UNDO},
    {ids::kRedo, wxID_REDO},
}};

}  // namespace

int ToWxId(int command) {
  for (const auto& [ours, wx] : kMap) {
    if (ours == command) return wx;
  }
  return command;
}

int FromWxId(int wx_id) {
  for (const auto& [ours, wx] : kMap) {
    if (wx == wx_id) return ours;
  }
  return wx_id;
}

}  // namespace command_map
