// Menus 128, 129 and 130, accelerator table 128 and the enabling of commands by the active
// document.

#include <gtk/gtk.h>

#include <utility>
#include <vector>

#include <wx/menu.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

#include "tests/ui/app/app_fixture.h"
#include "ui/app/menu_builder.h"
#include "ui/browse/brows_view.h"
#include "ui/view/func_view.h"
#include "ui/widgets/sjis_field.h"

namespace {

// (id, label) of every item of one popup, separators left out.
using Items = std::vector<std::pair<int, const char*>>;
struct Popup {
  const char* title;
  Items items;
};

const Items kMainFile = {{wxID_NEW, "新規作成(&N)\tCtrl+N"},
                         {wxID_OPEN, "開く(&O)...\tCtrl+O"},
                         {wxID_PRINT_SETUP, "ﾌﾟﾘﾝﾀの設定(&R)..."},
                         {wxID_FILE1, "最近使ったﾌｧｲﾙ"},
                         {wxID_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}};
const Items kView = {{59392, "ﾂｰﾙ ﾊﾞｰ(&T)"}, {59393, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)"}};
const Items kHelp = {{wxID_ABOUT, "Quillmap のﾊﾞｰｼﾞｮﾝ情報(&A)..."}};
const Items kWindow = {{wxID_MDI_WINDOW_CASCADE, "重ねて表示(&C)"},
                       {wxID_MDI_WINDOW_TILE_HORZ, "並べて表示(&T)"},
                       {wxID_MDI_WINDOW_ARRANGE_ICONS, "ｱｲｺﾝの整列(&A)"}};

const std::vector<Popup> kMenu128 = {
    {"ﾌｧｲﾙ(&F)", kMainFile}, {"表示(&V)", kView}, {"ﾍﾙﾌﾟ(&H)", kHelp}};

const std::vector<Popup> kMenu129 = {{"ﾌｧｲﾙ(&F)",
                                      {{wxID_NEW, "新規作成(&N)\tCtrl+N"},
                                       {wxID_OPEN, "開く(&O)...\tCtrl+O"},
                                       {wxID_CLOSE, "閉じる(&C)"},
                                       {wxID_SAVE, "上書き保存(&S)\tCtrl+S"},
                                       {wxID_SAVEAS, "名前を付けて保存(&A)..."},
                                       {32774, "html出力(&H)...\tCtrl+H"},
                                       {wxID_FILE1, "最近使ったﾌｧｲﾙ"},
                                       {wxID_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}}},
                                     {"編集(&E)",
                                      {{wxID_UNDO, "元に戻す(&U)\tCtrl+Z"},
                                       {wxID_REDO, "やり直し(&Y)\tCtrl+Y"},
                                       {1025, "関数の追加(&F)"},
                                       {1026, "関数の削除(&R)"},
                                       {32778, "関数のｺﾋﾟｰ(&C)"},
                                       {1005, "引数の追加(&A)"},
                                       {1006, "引数の削除(&D)"},
                                       {1007, "引数のｺﾋﾟｰ(&O)"},
                                       {40008, "構造体の追加(&S)"},
                                       {40009, "構造体の削除(&Z)"},
                                       {40010, "構造体のｺﾋﾟｰ(&X)"},
                                       {32782, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&Q)"},
                                       {32772, "ﾄﾞｷｭﾒﾝﾄ情報の編集(&I)"},
                                       {41300, "検索(&G)...\tCtrl+F"},
                                       {41301, "次を検索(&N)\tF3"},
                                       {41302, "前を検索(&P)\tShift+F3"}}},
                                     {"表示(&V)", kView},
                                     {"設定(&S)", {{32783, "関数仕様設定(&F)"}}},
                                     {"ｳｨﾝﾄﾞｳ(&W)", kWindow},
                                     {"ﾍﾙﾌﾟ(&H)", kHelp}};

const std::vector<Popup> kMenu130 = {
    {"ﾌｧｲﾙ(&F)",
     {{wxID_OPEN, "開く(&O)...\tCtrl+O"},
      {wxID_CLOSE, "閉じる(&C)"},
      {wxID_FILE1, "最近使ったﾌｧｲﾙ"},
      {wxID_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}}},
    {"表示(&V)",
     {{59392, "ﾂｰﾙ ﾊﾞｰ(&T)"}, {59393, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)"}, {32780, "最新の情報に更新(&R)"}}},
    {"ｳｨﾝﾄﾞｳ(&W)", kWindow},
    {"ﾍﾙﾌﾟ(&H)", kHelp}};

void ExpectMenuBar(wxMenuBar* bar, const std::vector<Popup>& expected) {
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->GetMenuCount(), expected.size());
  for (size_t p = 0; p < expected.size(); ++p) {
    SCOPED_TRACE(expected[p].title);
    EXPECT_EQ(bar->GetMenuLabel(p), U(expected[p].title));
    Items actual;
    std::vector<wxString> labels;
    for (wxMenuItem* item : bar->GetMenu(p)->GetMenuItems()) {
      if (item->IsSeparator()) continue;
      actual.emplace_back(item->GetId(), "");
      labels.push_back(item->GetItemLabel());
    }
    ASSERT_EQ(actual.size(), expected[p].items.size());
    for (size_t i = 0; i < actual.size(); ++i) {
      EXPECT_EQ(actual[i].first, expected[p].items[i].first) << i;
      EXPECT_EQ(labels[i], U(expected[p].items[i].second)) << i;
    }
  }
}

wxFrame* ChildFrameOf(wxDocument* doc) {
  return static_cast<wxFrame*>(doc->GetFirstView()->GetFrame());
}

TEST(MenuResources, MenuBarsHoldEveryItemWithItsTextAndId) {
  {
    SCOPED_TRACE("menu 128");
    std::unique_ptr<wxMenuBar> bar(BuildMenuBar(128));
    ExpectMenuBar(bar.get(), kMenu128);
  }
  {
    SCOPED_TRACE("menu 129");
    std::unique_ptr<wxMenuBar> bar(BuildMenuBar(129));
    ExpectMenuBar(bar.get(), kMenu129);
  }
  {
    SCOPED_TRACE("menu 130");
    std::unique_ptr<wxMenuBar> bar(BuildMenuBar(130));
    ExpectMenuBar(bar.get(), kMenu130);
  }
}

TEST(MenuResources, ItemsCarryTheFirstLineOfTheirPromptAsHelp) {
  std::unique_ptr<wxMenuBar> bar(BuildMenuBar(130));
  EXPECT_EQ(bar->FindItem(32780)->GetHelp(), U("ﾄﾞｷｭﾒﾝﾄを最新の情報に更新する"));
  EXPECT_EQ(bar->FindItem(wxID_OPEN)->GetHelp(), U("既存のﾌｧｲﾙを開く"));
  EXPECT_TRUE(bar->FindItem(59392)->IsCheckable());
}

TEST(MenuResources, AcceleratorTableBindsItsKeys) {
  const wxAcceleratorTable table = BuildAccelerators();
  auto command = [&table](int flags, int key) {
    wxKeyEvent event(wxEVT_KEY_DOWN);
    event.m_keyCode = key;
    event.m_controlDown = (flags & wxACCEL_CTRL) != 0;
    event.m_shiftDown = (flags & wxACCEL_SHIFT) != 0;
    return table.GetCommand(event);
  };
  EXPECT_EQ(command(wxACCEL_CTRL, 'N'), wxID_NEW);
  EXPECT_EQ(command(wxACCEL_CTRL, 'O'), wxID_OPEN);
  EXPECT_EQ(command(wxACCEL_CTRL, 'P'), wxID_PRINT);
  EXPECT_EQ(command(wxACCEL_CTRL, 'Q'), 32782);
  EXPECT_EQ(command(wxACCEL_CTRL, 'S'), wxID_SAVE);
  EXPECT_EQ(command(0, WXK_F6), 57680);
  EXPECT_EQ(command(wxACCEL_SHIFT, WXK_F6), 57681);
  EXPECT_EQ(command(wxACCEL_CTRL, 'H'), 32774);  // as the File menu shows
  EXPECT_EQ(command(wxACCEL_CTRL, 'Z'), wxID_UNDO);
  EXPECT_EQ(command(wxACCEL_CTRL, 'Y'), wxID_REDO);
  EXPECT_EQ(command(wxACCEL_CTRL | wxACCEL_SHIFT, 'Z'), wxID_REDO);
  EXPECT_EQ(command(0, 'N'), -1);
}

TEST_F(AppTest, MainFrameCarriesMenu128AndAcceleratorTable) {
  ASSERT_TRUE(Start());
  ExpectMenuBar(Frame()->GetMenuBar(), kMenu128);
  wxKeyEvent ctrl_q(wxEVT_KEY_DOWN);
  ctrl_q.m_keyCode = 'Q';
  ctrl_q.m_controlDown = true;
  EXPECT_EQ(Frame()->GetAcceleratorTable()->GetCommand(ctrl_q), 32782);
}

TEST_F(AppTest, CtrlQWithoutFunctionDocumentDoesNothing) {
  const wxString path = Path(wxS("page.htm"));
  WriteBytes(path, "<html><body>page</body></html>");
  ASSERT_TRUE(Start());
  EXPECT_FALSE(SendCommand(Frame(), 32782));
  ASSERT_NE(Manager()->OpenFile(path), nullptr);
  Pump();
  EXPECT_FALSE(SendCommand(Frame(), 32782));
  EXPECT_EQ(Documents().size(), 1u);
}

TEST_F(AppTest, ToolBarButtonsInOrderWithTipsAndNoDocumentDisablesSaveAndExport) {
  ASSERT_TRUE(Start());
  wxToolBar* bar = Frame()->GetToolBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->GetId(), 59392);
  const std::vector<int> order = {wxID_NEW, wxID_OPEN,      wxID_SAVE,
                                  32774,    wxID_SEPARATOR, wxID_ABOUT};
  ASSERT_EQ(bar->GetToolsCount(), order.size());
  for (size_t i = 0; i < order.size(); ++i) {
    const wxToolBarToolBase* tool = bar->GetToolByPos(static_cast<int>(i));
    if (order[i] == wxID_SEPARATOR) {
      EXPECT_TRUE(tool->IsSeparator());
      continue;
    }
    EXPECT_EQ(tool->GetId(), order[i]) << i;
    EXPECT_EQ(tool->GetNormalBitmap().GetSize(), wxSize(16, 15)) << i;
  }
  EXPECT_EQ(bar->GetToolShortHelp(wxID_SAVE), U("上書き保存"));
  EXPECT_EQ(bar->GetToolLongHelp(wxID_SAVE), U("作業中のﾌｧｲﾙを上書きして保存"));
  EXPECT_EQ(bar->GetToolShortHelp(32774), wxString());  // its prompt has no second line
  EXPECT_EQ(bar->GetToolLongHelp(32774), U("htmlﾄﾞｷｭﾒﾝﾄを出力する"));

  Frame()->UpdateWindowUI(wxUPDATE_UI_RECURSE);
  EXPECT_TRUE(bar->GetToolEnabled(wxID_NEW));
  EXPECT_TRUE(bar->GetToolEnabled(wxID_OPEN));
  EXPECT_FALSE(bar->GetToolEnabled(wxID_SAVE));
  EXPECT_FALSE(bar->GetToolEnabled(32774));
  EXPECT_TRUE(bar->GetToolEnabled(wxID_ABOUT));
}

TEST_F(AppTest, CommandsLightUpOnlyWhereTheActiveDocumentHandlesThem) {
  const wxString path = Path(wxS("page.htm"));
  WriteBytes(path, "<html><body>page</body></html>");
  ASSERT_TRUE(Start(path));
  wxFrame* child = ChildFrameOf(Documents()[0]);
  // The browser view handles refresh; nothing in it handles the export.
  EXPECT_TRUE(MenuItemEnabled(child, 32780));
  Frame()->UpdateWindowUI(wxUPDATE_UI_RECURSE);
  EXPECT_FALSE(Frame()->GetToolBar()->GetToolEnabled(32774));
  // An HTML document can't be saved (saving would empty the page).
  EXPECT_FALSE(Frame()->GetToolBar()->GetToolEnabled(wxID_SAVE));

  // Once the view takes the command, its button and item light up by themselves.
  wxView* view = Documents()[0]->GetFirstView();
  view->Bind(
      wxEVT_MENU, [](wxCommandEvent&) {}, 32774);
  Frame()->UpdateWindowUI(wxUPDATE_UI_RECURSE);
  EXPECT_TRUE(Frame()->GetToolBar()->GetToolEnabled(32774));
}

TEST_F(AppTest, FunctionDocumentEnablesSaveAndItsOwnCommands) {
  ASSERT_TRUE(Start());
  ASSERT_TRUE(SendCommand(Frame(), wxID_NEW));
  Pump();
  ASSERT_EQ(Documents().size(), 1u);
  wxFrame* child = ChildFrameOf(Documents()[0]);
  ExpectMenuBar(child->GetMenuBar(), kMenu129);
  EXPECT_TRUE(MenuItemEnabled(child, wxID_SAVE));
  EXPECT_TRUE(MenuItemEnabled(child, 32772));  // the document information, CFuncDoc's
  Frame()->UpdateWindowUI(wxUPDATE_UI_RECURSE);
  EXPECT_TRUE(Frame()->GetToolBar()->GetToolEnabled(wxID_SAVE));
}

TEST_F(AppTest, ViewMenuTogglesToolBarAndStatusBar) {
  ASSERT_TRUE(Start());
  EXPECT_TRUE(Frame()->GetToolBar()->IsShown());
  EXPECT_TRUE(SendCommand(Frame(), 59392));
  EXPECT_FALSE(Frame()->GetToolBar()->IsShown());
  wxMenuItem* item = Frame()->GetMenuBar()->FindItem(59392);
  Frame()->GetMenuBar()->GetMenu(1)->UpdateUI(Frame()->GetEventHandler());
  EXPECT_FALSE(item->IsChecked());
  EXPECT_TRUE(SendCommand(Frame(), 59392));
  EXPECT_TRUE(Frame()->GetToolBar()->IsShown());

  EXPECT_TRUE(SendCommand(Frame(), 59393));
  EXPECT_FALSE(Frame()->GetStatusBar()->IsShown());
  Frame()->GetMenuBar()->GetMenu(1)->UpdateUI(Frame()->GetEventHandler());
  EXPECT_FALSE(Frame()->GetMenuBar()->FindItem(59393)->IsChecked());
  EXPECT_TRUE(SendCommand(Frame(), 59393));
  EXPECT_TRUE(Frame()->GetStatusBar()->IsShown());
}

TEST_F(AppTest, WindowArrangementCommandsKeepEveryWindow) {
  ASSERT_TRUE(Start());
  ASSERT_TRUE(SendCommand(Frame(), wxID_NEW));
  ASSERT_TRUE(SendCommand(Frame(), wxID_NEW));
  Pump();
  wxFrame* child = ChildFrameOf(Documents()[1]);
  for (int id :
       {wxID_MDI_WINDOW_CASCADE, wxID_MDI_WINDOW_TILE_HORZ, wxID_MDI_WINDOW_ARRANGE_ICONS}) {
    EXPECT_TRUE(MenuItemEnabled(child, id));
    EXPECT_TRUE(SendCommand(child, id));
  }
  Pump();
  EXPECT_EQ(Documents().size(), 2u);
  EXPECT_EQ(Frame()->GetActiveChild(), child);
}

}  // namespace

namespace {

// The keys GTK has bound to a menu item, as GTK shows them ("Ctrl+N").
std::vector<std::string> GtkKeysOf(wxMenuItem* item) {
  std::vector<std::string> keys;
  GList* closures = gtk_widget_list_accel_closures(item->GetMenuItem());
  for (GList* node = closures; node != nullptr; node = node->next) {
    auto* closure = static_cast<GClosure*>(node->data);
    GtkAccelGroup* group = gtk_accel_group_from_accel_closure(closure);
    const GtkAccelKey* key = gtk_accel_group_find(
        group,
        [](GtkAccelKey*, GClosure* found, gpointer wanted) -> gboolean { return found == wanted; },
        closure);
    if (key == nullptr) continue;
    gchar* label = gtk_accelerator_get_label(key->accel_key, key->accel_mods);
    keys.emplace_back(label);
    g_free(label);
  }
  g_list_free(closures);
  return keys;
}

// Every item shows exactly its own text and is bound to no key but the one its text names:
// no stock label, no stock key (wxGTK gives stock ids GTK's Ctrl+Q, Ctrl+W, Shift+Ctrl+S...).
void ExpectOnlyOwnTextsAndKeys(wxMenuBar* bar) {
  for (size_t p = 0; p < bar->GetMenuCount(); ++p) {
    for (wxMenuItem* item : bar->GetMenu(p)->GetMenuItems()) {
      if (item->IsSeparator()) continue;
      const wxString label = item->GetItemLabel();
      SCOPED_TRACE(label.utf8_string());
      wxString shown = label.BeforeFirst('\t');
      shown.Replace(wxS("&"), wxS("_"));
      EXPECT_EQ(std::string(gtk_menu_item_get_label(GTK_MENU_ITEM(item->GetMenuItem()))),
                shown.utf8_string());
      std::vector<std::string> expected;
      if (label.Contains(wxS("\t"))) expected.push_back(label.AfterFirst('\t').utf8_string());
      EXPECT_EQ(GtkKeysOf(item), expected);
    }
  }
}

TEST(MenuResources, StockIdsGetNeitherGtkLabelsNorGtkKeys) {
  for (int id : {128, 129, 130}) {
    SCOPED_TRACE(id);
    std::unique_ptr<wxMenuBar> bar(BuildMenuBar(id));
    ExpectOnlyOwnTextsAndKeys(bar.get());
  }
}

// Real key presses on the raised main frame: the pointer rests on it, so that the display gives
// it the keyboard.
class KeyTest : public AppTest {
 protected:
  void Settle() {
    for (int i = 0; i < 10; ++i) {
      wxMilliSleep(20);
      Pump();
    }
  }
  void PressOnFrame(int key, int modifiers) {
    Frame()->Raise();
    Settle();
    keyboard_.MouseMove(Frame()->GetScreenPosition() + wxPoint(Frame()->GetSize().x / 2, 10));
    Settle();
    keyboard_.Char(key, modifiers);
    Settle();
  }

  wxUIActionSimulator keyboard_;
};

TEST_F(KeyTest, CtrlQAndCtrlWNeitherQuitNorCloseWithOrWithoutDocument) {
  ASSERT_TRUE(Start());
  Frame()->SetFocus();
  PressOnFrame('q', wxMOD_CONTROL);
  ASSERT_NE(Frame(), nullptr);
  EXPECT_TRUE(Frame()->IsShown());
  PressOnFrame('w', wxMOD_CONTROL);
  ASSERT_NE(Frame(), nullptr);
  // The keys do arrive: Ctrl+N makes one document.
  PressOnFrame('n', wxMOD_CONTROL);
  ASSERT_EQ(Documents().size(), 1u);

  // A function document with the focus in its form.
  const wxString path = Path(wxS("keys.dcm"));
  WriteSpecDocument(path, {"Alpha"});
  ASSERT_NE(Manager()->OpenFile(path), nullptr);
  Settle();
  ASSERT_EQ(Documents().size(), 2u);
  auto* view = wxDynamicCast(Documents()[1]->GetFirstView(), CFuncView);
  ASSERT_NE(view, nullptr);
  view->FunctionList()->SetFocus();
  for (int modifiers : {int(wxMOD_CONTROL), int(wxMOD_CONTROL | wxMOD_SHIFT)}) {
    for (int key : {'q', 'w', 's'}) {
      if (key == 's' && modifiers == wxMOD_CONTROL) continue;  // Ctrl+S saves: not this test's
      SCOPED_TRACE(wxString::Format(wxS("%c %d"), key, modifiers).utf8_string());
      PressOnFrame(key, modifiers);
      ASSERT_NE(Frame(), nullptr);
      EXPECT_EQ(Documents().size(), 2u);
    }
  }
  PressOnFrame('n', wxMOD_CONTROL);
  EXPECT_EQ(Documents().size(), 3u);
}

TEST_F(AppTest, MenusOfEveryFrameCarryOnlyTheirOwnKeys) {
  const wxString page = Path(wxS("page.htm"));
  WriteBytes(page, "<html><body>page</body></html>");
  ASSERT_TRUE(Start(page));
  ASSERT_TRUE(SendCommand(Frame(), wxID_NEW));
  Pump();
  ExpectOnlyOwnTextsAndKeys(Frame()->GetMenuBar());
  for (wxDocument* doc : Documents()) {
    SCOPED_TRACE(doc->GetUserReadableName().utf8_string());
    ExpectOnlyOwnTextsAndKeys(ChildFrameOf(doc)->GetMenuBar());
  }
}

}  // namespace
