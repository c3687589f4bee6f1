#include "ui/dialogs/find_dlg.h"

#include <utility>

#include <wx/button.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>

#include "ui/res/ids.h"
#include "ui/res/string_table.h"
#include "ui/widgets/dialog_units.h"
#include "ui/widgets/sjis_field.h"

namespace {

wxString U(const char* utf8) {
  return wxString::FromUTF8(utf8);
}

}  // namespace

CFindDlg::CFindDlg(wxWindow* parent, std::function<void(bool)> step, std::function<void()> closed)
    : wxDialog(parent, wxID_ANY, LoadWxString(ids::kStrFindCaption), wxDefaultPosition,
               wxDefaultSize, wxDEFAULT_DIALOG_STYLE),
      step_(std::move(step)),
      closed_(std::move(closed)) {
  SetFont(FormFont());
  UseCompactControls(this);
  const DialogUnits du(this);
  // Created in Tab order: the text, the choice, then the buttons.
  new wxStaticText(this, wxID_ANY, U("検索する文字列(&T):"), du.Point(7, 9), du.Size(72, 8),
                   wxST_NO_AUTORESIZE);
  entry_ = new SjisTextCtrl(this, wxID_ANY, du.Point(80, 7), du.Size(150, 13), 0);
  names_only_ = new wxRadioButton(this, wxID_ANY, U("名前のみ(&M)"), du.Point(80, 25),
                                  du.Size(60, 10), wxRB_GROUP);
  all_texts_ =
      new wxRadioButton(this, wxID_ANY, U("すべての項目(&A)"), du.Point(144, 25), du.Size(86, 10));
  all_texts_->SetValue(true);
  next_ = new wxButton(this, wxID_ANY, U("次を検索(&N)"), du.Point(80, 41), du.Size(48, 14));
  previous_ = new wxButton(this, wxID_ANY, U("前を検索(&P)"), du.Point(131, 41), du.Size(48, 14));
  new wxButton(this, wxID_CANCEL, U("閉じる"), du.Point(182, 41), du.Size(48, 14));
  next_->SetDefault();
  SetClientSize(du.Size(237, 62));

  next_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Step(true); });
  previous_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Step(false); });
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { CloseWindow(); }, wxID_CANCEL);
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
    // The window is kept for the next Ctrl+F, unless it must go (the program ends).
    if (event.CanVeto()) {
      CloseWindow();
    } else {
      Destroy();
    }
  });
  Bind(wxEVT_CHAR_HOOK, &CFindDlg::OnCharHook, this);
}

void CFindDlg::Present() {
  Show();
  Raise();
  entry_->SetFocus();
  entry_->SelectAll();
}

quillmap::text::EncodeResult CFindDlg::Text() const {
  return entry_->GetBytes();
}

bool CFindDlg::HasText() const {
  return !entry_->GetValue().empty();
}

bool CFindDlg::NamesOnly() const {
  return names_only_->GetValue();
}

void CFindDlg::Detach() {
  step_ = nullptr;
  closed_ = nullptr;
}

void CFindDlg::Step(bool forward) {
  if (!step_ || !HasText()) return;
  // The step may show a message or move another window's selection; the focus comes back to
  // the control it was in.
  wxWindow* focus = FindFocus();
  step_(forward);
  if (IsShown() && focus != nullptr && focus != FindFocus()) focus->SetFocus();
}

void CFindDlg::CloseWindow() {
  Hide();
  if (closed_) closed_();
}

void CFindDlg::OnCharHook(wxKeyEvent& event) {
  const int key = event.GetKeyCode();
  const int modifiers = event.GetModifiers();
  const bool plain_or_shift = modifiers == wxMOD_NONE || modifiers == wxMOD_SHIFT;
  // A focused button takes Return for itself (a click); elsewhere Return steps.
  const bool on_button = dynamic_cast<wxButton*>(FindFocus()) != nullptr;
  if ((key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && plain_or_shift && !on_button) {
    Step(modifiers != wxMOD_SHIFT);
  } else if (key == WXK_F3 && plain_or_shift) {
    Step(modifiers != wxMOD_SHIFT);
  } else if (key == 'F' && modifiers == wxMOD_CONTROL) {
    Present();  // as in the form: the text, all of it selected for typing over
  } else if (key == WXK_ESCAPE && modifiers == wxMOD_NONE) {
    CloseWindow();
  } else {
    event.Skip();
  }
}
