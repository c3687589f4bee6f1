#pragma once
// CFindDlg: the small modeless find window over a function document. It holds the text to look
// for, the choice between names only and all texts, and the next and previous buttons; the focus
// stays in it while the user steps. Return finds the next match and Shift+Return the previous
// one (F3 and Shift+F3 as well); Ctrl+F selects the text again; Escape closes the window. What a
// step does is the owner's.

#include <functional>

#include <wx/dialog.h>

#include "core/text/sjis.h"

class wxButton;
class wxRadioButton;
class SjisTextCtrl;

class CFindDlg : public wxDialog {
 public:
  // step(true) finds the next match, step(false) the previous one; closed runs after the window
  // was hidden by Escape or its close button.
  CFindDlg(wxWindow* parent, std::function<void(bool forward)> step, std::function<void()> closed);

  // Shows the window with the focus in the text, all of it selected.
  void Present();
  // The text to look for.
  quillmap::text::EncodeResult Text() const;
  bool HasText() const;
  bool NamesOnly() const;
  // Forgets the owner: the window does nothing more when it is used.
  void Detach();

  SjisTextCtrl* Entry() const { return entry_; }
  wxRadioButton* NamesOnlyButton() const { return names_only_; }
  wxRadioButton* AllTextsButton() const { return all_texts_; }
  wxButton* NextButton() const { return next_; }
  wxButton* PreviousButton() const { return previous_; }

 private:
  void Step(bool forward);
  void CloseWindow();
  void OnCharHook(wxKeyEvent& event);

  SjisTextCtrl* entry_ = nullptr;
  wxRadioButton* names_only_ = nullptr;
  wxRadioButton* all_texts_ = nullptr;
  wxButton* next_ = nullptr;
  wxButton* previous_ = nullptr;
  std::function<void(bool)> step_;
  std::function<void()> closed_;
};
