#pragma once
// Fixture of the structure tests: documents with structures, their records as plain values, and
// CStructDefDlg answered either by filling its controls or by real input on it shown as an
// ordinary window.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <wx/choice.h>

#include "core/model/struct_spec.h"
#include "edit_fixture.h"
#include "ui/dialogs/struct_def_dlg.h"
#include "ui/widgets/sjis_combo_box.h"
#include "ui/widgets/sjis_field.h"

// Every field of a structure record, as plain values.
struct StructRecord {
  std::string name = "default";
  std::string heading = "index";
  std::string explanation;
  std::vector<Argument> members;
  std::vector<std::string> links;
  std::string note;
  std::size_t history = 0;
  bool operator==(const StructRecord&) const = default;
};

inline void PrintTo(const StructRecord& r, std::ostream* out) {
  *out << "{" << r.name << ", " << r.heading << ", " << r.explanation << ", members:";
  for (const Argument& m : r.members) PrintTo(m, out);
  *out << ", links:";
  for (const std::string& link : r.links) *out << " " << link;
  *out << ", note: " << r.note << ", history: " << r.history << "}";
}

inline StructRecord Fields(const quillmap::StructSpec& record) {
  StructRecord r;
  r.name = record.GetRecordName();
  r.heading = record.GetIndex();
  r.explanation = record.GetExplanation();
  for (std::uint32_t i = 0; i < record.GetMemberCount(); ++i) {
    Argument m;
    record.GetMember(i, m.type, m.name, m.description);
    r.members.push_back(m);
  }
  for (std::uint32_t i = 0; i < record.GetLinkCount(); ++i) r.links.push_back(record.GetLink(i));
  r.note = record.GetNote();
  r.history = record.GetHistoryCount();
  return r;
}

// Sets a new record's fields (records can't be copied or returned).
inline void FillStruct(quillmap::StructSpec& record, const StructRecord& r) {
  record.SetRecordName(r.name);
  record.SetIndex(r.heading);
  record.SetExplanation(r.explanation);
  for (const Argument& m : r.members) record.AddMember(m.type, m.name, m.description);
  for (const std::string& link : r.links) record.AddLink(link);
  record.SetNote(r.note);
  for (std::size_t i = 0; i < r.history; ++i) {
    record.AddHistory(quillmap::LocalMidnight(2001, 2, 3), "made");
  }
}

// The structure of that name in the document; fails the test when there is none.
inline StructRecord StructOf(CFuncDoc* doc, const std::string& name) {
  quillmap::StructSpec record;
  const std::int32_t index = doc->FindStruct(name);
  if (index < 0 || !doc->GetStruct(index, record)) {
    ADD_FAILURE() << "no structure " << name;
    return StructRecord{};
  }
  return Fields(record);
}

// The member rows of the dialog's list.
inline std::vector<Argument> MemberRows(const CStructDefDlg* dialog) {
  std::vector<Argument> rows;
  const SjisListCtrl* list = dialog->MemberList();
  for (long i = 0; i < list->GetItemCount(); ++i) {
    rows.push_back({list->GetCellBytes(i, 0), list->GetCellBytes(i, 1), list->GetCellBytes(i, 2)});
  }
  return rows;
}

inline std::vector<std::string> ComboBytes(const SjisChoice* combo) {
  std::vector<std::string> entries;
  for (unsigned int i = 0; i < combo->GetCount(); ++i) entries.push_back(combo->EntryBytes(i));
  return entries;
}

// Whether the return-type list offers a text.
inline bool OffersReturnType(CFuncView* view, const char* text) {
  return view->ReturnTypeCombo()->FindString(U(text), true) != wxNOT_FOUND;
}

// Shows a dialog as an ordinary window (a modal loop would leave no room for the test's input),
// filled and active with the focus on its first control; *ended becomes the id of OK or Cancel
// once one of them closes it.
inline void ShowStructDlgForInput(wxDialog* dialog, wxWindow* first, int* ended) {
  *ended = wxID_NONE;
  dialog->Bind(wxEVT_BUTTON, [dialog, ended](wxCommandEvent& event) {
    event.Skip();
    const int id = event.GetId();
    if (id != wxID_OK && id != wxID_CANCEL) return;
    // Known only after the dialog has handled the click: OK may refuse and keep it open.
    dialog->CallAfter([dialog, ended, id] {
      if (!dialog->IsShown()) *ended = id;
    });
  });
  dialog->InitDialog();
  dialog->Show();
  dialog->Raise();
  Settle(10);
  FocusOn(first);
}

// Answers CStructDefDlg by showing it for real input and running steps on it; returns the button
// (OK or Cancel) that closed it.
class DriveStructDlg : public wxExpectModalBase<CStructDefDlg> {
 public:
  explicit DriveStructDlg(std::function<void(CStructDefDlg*)> steps) : steps_(std::move(steps)) {}

 protected:
  int OnInvoked(CStructDefDlg* dialog) const override {
    int ended = wxID_NONE;
    ShowStructDlgForInput(dialog, dialog->NameEdit(), &ended);
    steps_(dialog);
    Settle();
    if (dialog->IsShown()) {
      ADD_FAILURE() << "the structure dialog is still open";
      dialog->Hide();
      return wxID_CANCEL;
    }
    return ended;
  }

 private:
  std::function<void(CStructDefDlg*)> steps_;
};

class StructTest : public EditTest {
 protected:
  // Opens a document with these structures (and one function, "f") and raises its frame.
  CFuncView* OpenStructs(const std::vector<StructRecord>& structs, const std::string& file_name) {
    quillmap::SpecStore store;
    AddFunctions(store, {"f"});
    for (const StructRecord& r : structs) {
      quillmap::StructSpec record;
      FillStruct(record, r);
      store.AddStruct(r.name);
      store.PutStruct(store.FindStruct(r.name), record);
    }
    return Open(store, file_name);
  }

  static StructRecord Named(const char* name) {
    StructRecord r;
    r.name = name;
    return r;
  }
};
