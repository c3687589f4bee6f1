#include "ui/app/about_dlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "ui/res/art.h"
#include "ui/res/ids.h"
#include "ui/res/string_table.h"

CAboutDlg::CAboutDlg(wxWindow* parent)
    : wxDialog(parent, ids::kAboutDialog, ResourceText("Quillmapのﾊﾞｰｼﾞｮﾝ情報")) {
  auto* icon = new wxStaticBitmap(this, wxID_ANY, wxBitmap(art::AppIcon()));
  auto* version = new wxStaticText(this, ids::kAboutVersion, wxS("[ version info ]"));
  auto* notice = new wxStaticText(this, wxID_ANY, ResourceText("C 関数と構造体の仕様書エディタ"));
  auto* ok = new wxButton(this, wxID_OK, wxS("OK"));
  ok->SetDefault();

  auto* texts = new wxBoxSizer(wxVERTICAL);
  texts->Add(version, 0, wxBOTTOM, ConvertDialogToPixels(wxSize(0, 4)).y);
  texts->Add(notice);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  const int gap = ConvertDialogToPixels(wxSize(7, 0)).x;
  row->Add(icon, 0, wxALL, gap);
  row->Add(texts, 1, wxTOP | wxBOTTOM | wxALIGN_CENTER_VERTICAL, gap);
  row->Add(ok, 0, wxALL, gap);
  SetSizerAndFit(row);

  // The template's placeholder gives way to the version string when the dialog opens.
  version->SetLabel(LoadWxString(ids::kMainFrame));
  Fit();
  CentreOnParent();
}
