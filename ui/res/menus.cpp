#include "ui/res/menus.h"

#include <array>

#include <wx/defs.h>

#include "ui/res/ids.h"

namespace menus {
namespace {

constexpr Item kSeparator{0, ""};

// Items shared by several menus.
constexpr Item kNew{ids::kFileNew, "新規作成(&N)\tCtrl+N"};
constexpr Item kOpen{ids::kFileOpen, "開く(&O)...\tCtrl+O"};
constexpr Item kClose{ids::kFileClose, "閉じる(&C)"};
constexpr Item kRecent{ids::kFileMru1, "最近使ったﾌｧｲﾙ"};
constexpr Item kExit{ids::kAppExit, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"};
constexpr Item kToolBar{ids::kViewToolBar, "ﾂｰﾙ ﾊﾞｰ(&T)"};
constexpr Item kStatusBar{ids::kViewStatusBar, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)"};
constexpr Item kAbout{ids::kAppAbout, "Quillmap のﾊﾞｰｼﾞｮﾝ情報(&A)..."};
constexpr Item kCascade{ids::kWindowCascade, "重ねて表示(&C)"};
constexpr Item kTile{ids::kWindowTile, "並べて表示(&T)"};
constexpr Item kArrange{ids::kWindowArrange, "ｱｲｺﾝの整列(&A)"};

// Menu 128: the main frame with no document open.
constexpr std::array kMainFile = {
    kNew,       kOpen,   kSeparator, Item{ids::kFilePrintSetup, "ﾌﾟﾘﾝﾀの設定(&R)..."},
    kSeparator, kRecent, kSeparator, kExit,
};
constexpr std::array kView = {kToolBar, kStatusBar};
constexpr std::array kHelp = {kAbout};
constexpr std::array kMainMenu = {
    Popup{"ﾌｧｲﾙ(&F)", kMainFile},
    Popup{"表示(&V)", kView},
    Popup{"ﾍﾙﾌﾟ(&H)", kHelp},
};

// Menu 129: a function document.
constexpr std::array kFuncFile = {
    kNew,
    kOpen,
    kClose,
    Item{ids::kFileSave, "上書き保存(&S)\tCtrl+S"},
    Item{ids::kFileSaveAs, "名前を付けて保存(&A)..."},
    kSeparator,
    Item{ids::kHtmlExport, "html出力(&H)...\tCtrl+H"},
    kSeparator,
    kRecent,
    kSeparator,
    kExit,
};
constexpr std::array kFuncEdit = {
    Item{ids::kUndo, "元に戻す(&U)\tCtrl+Z"},
    Item{ids::kRedo, "やり直し(&Y)\tCtrl+Y"},
    kSeparator,
    Item{ids::kAddFunction, "関数の追加(&F)"},
    Item{ids::kDeleteFunction, "関数の削除(&R)"},
    Item{ids::kCopyFunction, "関数のｺﾋﾟｰ(&C)"},
    kSeparator,
    Item{ids::kAddArgument, "引数の追加(&A)"},
    Item{ids::kDeleteArgument, "引数の削除(&D)"},
    Item{ids::kCopyArgument, "引数のｺﾋﾟｰ(&O)"},
    kSeparator,
    Item{ids::kMenuAddStructure, "構造体の追加(&S)"},
    Item{ids::kMenuDeleteStructure, "構造体の削除(&Z)"},
    Item{ids::kMenuCopyStructure, "構造体のｺﾋﾟｰ(&X)"},
    kSeparator,
    Item{ids::kCopyToClipboard, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&Q)"},
    kSeparator,
    Item{ids::kDocInfo, "ﾄﾞｷｭﾒﾝﾄ情報の編集(&I)"},
    kSeparator,
    Item{ids::kFind, "検索(&G)...\tCtrl+F"},
    Item{ids::kFindNext, "次を検索(&N)\tF3"},
    Item{ids::kFindPrevious, "前を検索(&P)\tShift+F3"},
};
constexpr std::array kFuncSettings = {Item{ids::kFuncSpecSettings, "関数仕様設定(&F)"}};
constexpr std::array kWindow = {kCascade, kTile, kArrange};
constexpr std::array kFuncMenu = {
    Popup{"ﾌｧｲﾙ(&F)", kFuncFile},     Popup{"編集(&E)", kFuncEdit}, Popup{"表示(&V)", kView},
    Popup{"設定(&S)", kFuncSettings}, Popup{"ｳｨﾝﾄﾞｳ(&W)", kWindow}, Popup{"ﾍﾙﾌﾟ(&H)", kHelp},
};

// Menu 130: an HTML document. No new, save or print.
constexpr std::array kHtmlFile = {kOpen, kClose, kSeparator, kRecent, kSeparator, kExit};
constexpr std::array kHtmlView = {kToolBar, kStatusBar, kSeparator,
                                  Item{ids::kRefresh, "最新の情報に更新(&R)"}};
constexpr std::array kHtmlMenu = {
    Popup{"ﾌｧｲﾙ(&F)", kHtmlFile},
    Popup{"表示(&V)", kHtmlView},
    Popup{"ｳｨﾝﾄﾞｳ(&W)", kWindow},
    Popup{"ﾍﾙﾌﾟ(&H)", kHelp},
};

// Ctrl+H runs the HTML export that the File menu shows it for, wherever a document handles the
// export (a function document).
constexpr std::array kAccelerators = {
    Accelerator{kCtrl, 'N', ids::kFileNew},       Accelerator{kCtrl, 'O', ids::kFileOpen},
    Accelerator{kCtrl, 'P', ids::kFilePrint},     Accelerator{kCtrl, 'Q', ids::kCopyToClipboard},
    Accelerator{kCtrl, 'S', ids::kFileSave},      Accelerator{0, WXK_F6, ids::kNextPane},
    Accelerator{kShift, WXK_F6, ids::kPrevPane},  Accelerator{kCtrl, 'H', ids::kHtmlExport},
    Accelerator{kCtrl, 'Z', ids::kUndo},          Accelerator{kCtrl, 'Y', ids::kRedo},
    Accelerator{kCtrl | kShift, 'Z', ids::kRedo},
};

constexpr std::array kToolBarButtons = {
    ids::kFileNew, ids::kFileOpen, ids::kFileSave, ids::kHtmlExport, 0, ids::kAppAbout,
};

}  // namespace

std::span<const Popup> MenuBar(int menu_id) {
  switch (menu_id) {
    case ids::kMainFrame:
      return kMainMenu;
    case ids::kFuncDocTemplate:
      return kFuncMenu;
    case ids::kHtmlDocTemplate:
      return kHtmlMenu;
    default:
      return {};
  }
}

std::string_view CommandText(int command) {
  for (const Item& item : kFuncEdit) {
    if (item.command == command) return item.text;
  }
  return {};
}

std::string_view RecentFilesText() {
  return kRecent.text;
}

std::span<const Accelerator> Accelerators() {
  return kAccelerators;
}

std::span<const int> ToolBarButtons() {
  return kToolBarButtons;
}

}  // namespace menus
