// Not a check: keeps a filled form on screen so that it can be captured and looked at.
// Run with --gtest_also_run_disabled_tests --gtest_filter='*Screenshot*' and QUILLMAP_HOLD=secs.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include <wx/utils.h>

#include "core/model/history.h"
#include "form_fixture.h"
#include "ui/dialogs/doc_info_dlg.h"
#include "ui/widgets/sjis_field.h"

namespace {

using FormScreenshot = FormTest;

TEST_F(FormScreenshot, DISABLED_HoldFilledForm) {
  quillmap::SpecStore store;
  AddFunctions(store, {"CalcSum", "InitTable", Sjis("表示する")});
  AddStructs(store, {"POINT", "RECT"});
  quillmap::FunctionSpec f;
  store.GetFunction(0, f);
  f.SetIndex(Sjis("二つの数の和を求める"));
  f.AddArgument("int", "a", Sjis("左辺の値"));
  f.AddArgument("int", "b", Sjis("右辺の値"));
  f.SetReturnText(Sjis("和"));
  f.SetExplanation(Sjis("a と b の和を返します。\n桁あふれは検査しません。"));
  f.SetNote(Sjis("備考です"));
  f.AddLink("InitTable");
  f.AddHistory(std::time(nullptr), Sjis("新規作成"));
  store.PutFunction(0, f);
  CFuncDoc* doc = OpenDocument(WriteDocument(store, "screenshot.dcm"));
  ASSERT_NE(doc, nullptr);
  ClickItem(ViewOf(doc)->FunctionList(), 0);
  if (const char* size = std::getenv("QUILLMAP_FRAME")) {
    int w = 0, h = 0;
    if (std::sscanf(size, "%dx%d", &w, &h) == 2) frame_->SetSize(wxSize(w, h));
  }
  const char* hold = std::getenv("QUILLMAP_HOLD");
  const int seconds = hold != nullptr ? std::atoi(hold) : 3;
  for (int i = 0; i < seconds * 20; ++i) {
    Pump();
    wxMilliSleep(50);
  }
  ViewOf(doc)->ClearFunctionFields();
}

TEST_F(FormScreenshot, DISABLED_HoldDocInfoDialog) {
  CDocInfoDlg dialog(frame_);
  dialog.SetDocInfo(quillmap::kDocInfoTitle, Sjis("関数仕様書 ファイル操作ライブラリ"));
  dialog.TransferDataToWindow();
  dialog.Show();
  for (int i = 0; i < 60; ++i) {
    Pump();
    wxMilliSleep(50);
  }
  dialog.Hide();
}

}  // namespace
