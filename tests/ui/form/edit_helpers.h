#pragma once
// Helpers of the editing tests: answering the program's own dialogs, real input on a raised
// frame, and reading a document's records.

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <wx/listbox.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "core/model/history.h"
#include "core/model/spec_record.h"
#include "form_fixture.h"
#include "testing_hook.h"
#include "ui/view/func_view.h"

// Answers one modal dialog of class Dlg: runs the dialog's own set-up as opening it would, lets
// act look at it and fill it in as a user would, and returns act's answer. For wxID_OK the dialog
// takes its controls back first, as its OK button does (a refusal there fails the test).
template <class Dlg>
class DialogAnswer : public wxExpectModalBase<Dlg> {
 public:
  explicit DialogAnswer(std::function<int(Dlg*)> act) : act_(std::move(act)) {}

 protected:
  int OnInvoked(Dlg* dialog) const override {
    dialog->InitDialog();
    const int answer = act_(dialog);
    if (answer == wxID_OK) {
      EXPECT_TRUE(dialog->TransferDataFromWindow()) << "the dialog refused its OK";
    }
    return answer;
  }

 private:
  std::function<int(Dlg*)> act_;
};

// Lets pending events, idle handlers and the display settle after real input.
inline void Settle(int rounds = 5) {
  for (int i = 0; i < rounds; ++i) {
    wxMilliSleep(15);
    Pump();
  }
}

// Moves the focus to a window for real and waits until it has it.
inline void FocusOn(wxWindow* window) {
  window->SetFocus();
  Settle();
}

// Screen position of a point inside a list row (or, for a row past the end, below the rows).
inline wxPoint RowPoint(wxListCtrl* list, long row) {
  wxRect rect;
  // Item rectangles are in the list's client coordinates, below its header.
  if (row < list->GetItemCount() && list->GetItemRect(row, rect)) {
    return list->ClientToScreen(rect.GetPosition() + wxPoint(8, rect.height / 2));
  }
  wxWindow* rows = list->GetTargetWindow();
  return rows->ClientToScreen(wxPoint(8, rows->GetClientSize().y - 6));
}

// A real click (or double click) at a screen point.
inline void ClickAt(const wxPoint& point, bool twice = false) {
  wxUIActionSimulator mouse;
  mouse.MouseMove(point);
  Settle(2);
  if (twice) {
    mouse.MouseDblClick();
  } else {
    mouse.MouseClick();
  }
  Settle();
}

inline void ClickOn(wxWindow* window) {
  ClickAt(window->GetScreenRect().GetPosition() + window->GetSize() / 2);
}

// A real key press.
inline void PressKey(int key, int modifiers = wxMOD_NONE) {
  wxUIActionSimulator keys;
  keys.Char(key, modifiers);
  Settle();
}

inline void TypeText(const char* text) {
  wxUIActionSimulator keys;
  keys.Text(text);
  Settle();
}

// Edits the label of a list item with real keys: select all, type text (nullptr types nothing,
// "" deletes the text), then end the edit with key.
inline void EditLabelWithKeys(wxListCtrl* list, long item, const char* text, int key) {
  wxTextCtrl* editor = list->EditLabel(item);
  ASSERT_NE(editor, nullptr);
  Settle();
  editor->SetFocus();
  Settle();
  if (text != nullptr) {
    editor->SelectAll();
    if (*text == '\0') {
      PressKey(WXK_DELETE);
    } else {
      TypeText(text);
    }
  }
  PressKey(key);
}

inline std::vector<wxString> ItemTexts(wxListCtrl* list, int column = 0) {
  std::vector<wxString> texts;
  for (long i = 0; i < list->GetItemCount(); ++i) texts.push_back(list->GetItemText(i, column));
  return texts;
}

inline std::vector<wxString> EntryTexts(const wxItemContainerImmutable* box) {
  std::vector<wxString> texts;
  for (unsigned int i = 0; i < box->GetCount(); ++i) texts.push_back(box->GetString(i));
  return texts;
}

struct Argument {
  std::string type, name, description;
  bool operator==(const Argument&) const = default;
};

inline void PrintTo(const Argument& a, std::ostream* out) {
  *out << "{" << a.type << ", " << a.name << ", " << a.description << "}";
}

// Every field of a function record, as plain values.
struct FunctionRecord {
  std::string heading;
  int attribute = -1;
  std::vector<Argument> arguments;
  std::string return_type, return_text, explanation, note;
  std::vector<std::string> links;
  std::vector<std::string> history;  // "date comment"
  bool operator==(const FunctionRecord&) const = default;
};

inline FunctionRecord Fields(const quillmap::FunctionSpec& function) {
  FunctionRecord r;
  r.heading = function.GetIndex();
  r.attribute = function.GetAttribute();
  for (std::uint32_t i = 0; i < function.GetArgumentCount(); ++i) {
    Argument a;
    function.GetArgument(i, a.type, a.name, a.description);
    r.arguments.push_back(a);
  }
  r.return_type = function.GetReturnType();
  r.return_text = function.GetReturnText();
  r.explanation = function.GetExplanation();
  r.note = function.GetNote();
  for (std::uint32_t i = 0; i < function.GetLinkCount(); ++i)
    r.links.push_back(function.GetLink(i));
  for (std::uint32_t i = 0; i < function.GetHistoryCount(); ++i) {
    std::time_t date = 0;
    std::string comment;
    function.GetHistory(i, date, comment);
    r.history.push_back(quillmap::FormatHistoryDate(date) + " " + comment);
  }
  return r;
}

// The record of a function of the document by name; fails the test when there is none.
inline FunctionRecord RecordOf(CFuncDoc* doc, const std::string& name) {
  quillmap::FunctionSpec function;
  const std::int32_t index = doc->FindFunction(name);
  EXPECT_GE(index, 0) << name;
  if (index < 0 || !doc->GetFunction(index, function)) {
    ADD_FAILURE() << "no function " << name;
    return FunctionRecord{};
  }
  return Fields(function);
}

// Today's date as history entries show it.
inline std::string Today() {
  return quillmap::FormatHistoryDate(std::time(nullptr));
}

inline wxString U(const char* utf8) {
  return wxString::FromUTF8(utf8);
}
