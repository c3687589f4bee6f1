// Undo and redo in the form: the Edit menu's first two items and their keys, the typing of a
// field given back before any step is undone, and the record a step touched shown afterwards.

#include <algorithm>
#include <string>

#include <wx/frame.h>
#include <wx/menu.h>

#include "ui/doc/edit_hint.h"
#include "ui/doc/func_doc.h"
#include "ui/res/ids.h"
#include "ui/res/string_table.h"
#include "ui/view/func_view.h"
#include "ui/widgets/sjis_combo_box.h"
#include "ui/widgets/sjis_field.h"

void CFuncView::BindUndoCommands() {
  Bind(wxEVT_MENU, &CFuncView::OnUndo, this, wxID_UNDO);
  Bind(wxEVT_MENU, &CFuncView::OnRedo, this, wxID_REDO);
  // Handled here, not by the document manager, which would write wx's English labels into the
  // items.
  Bind(wxEVT_UPDATE_UI, &CFuncView::OnUpdateUndoRedo, this, wxID_UNDO);
  Bind(wxEVT_UPDATE_UI, &CFuncView::OnUpdateUndoRedo, this, wxID_REDO);
}

wxWindow* CFuncView::FocusedEditedField() const {
  if (controls_ == nullptr || NameEdit()->GetValue().empty()) return nullptr;
  const wxWindow* focus = wxWindow::FindFocus();
  if (focus == nullptr) return nullptr;
  for (SjisTextCtrl* field : {HeadingEdit(), ReturnTextEdit(), ExplanationEdit(), NoteEdit()}) {
    if (focus == field && field->IsEdited()) return field;
  }
  SjisComboBox* combo = ReturnTypeCombo();
  const bool in_combo = focus == combo || focus->GetParent() == combo;
  return in_combo && combo->IsEdited() ? combo : nullptr;
}

void CFuncView::OnUndo(wxCommandEvent&) {
  // Typing not stored yet is no step: Ctrl+Z gives the field back its stored text first.
  if (wxWindow* field = FocusedEditedField()) {
    if (auto* text = dynamic_cast<SjisTextCtrl*>(field)) {
      text->RevertEdit();
    } else if (auto* combo = dynamic_cast<SjisComboBox*>(field)) {
      combo->RevertEdit();
    }
    return;
  }
  // Anything else changed in the form becomes the step that is undone.
  StoreIfEdited();
  GetFuncDoc()->UndoStep();
}

void CFuncView::OnRedo(wxCommandEvent&) {
  // Typing is stored before the form shows what the redone step changed; as a new step it ends
  // what can be redone, so nothing typed is lost.
  StoreIfEdited();
  GetFuncDoc()->RedoStep();
}

void CFuncView::OnUpdateUndoRedo(wxUpdateUIEvent& event) {
  CFuncDoc* doc = GetFuncDoc();
  if (doc == nullptr) return;
  const bool undo = event.GetId() == wxID_UNDO;
  const bool typing = undo && FocusedEditedField() != nullptr;
  event.Enable(typing || (undo ? doc->CanUndoStep() : doc->CanRedoStep()));
  // The prompt names the step; typing given back is no step and has the plain prompt.
  wxString prompt = typing ? wxString() : undo ? doc->UndoPrompt() : doc->RedoPrompt();
  if (prompt.empty()) prompt = LoadPrompt(undo ? ids::kUndo : ids::kRedo);
  wxFrame* frame = wxDynamicCast(GetFrame(), wxFrame);
  wxMenuBar* bar = frame != nullptr ? frame->GetMenuBar() : nullptr;
  wxMenuItem* item = bar != nullptr ? bar->FindItem(event.GetId()) : nullptr;
  if (item != nullptr && item->GetHelp() != prompt) item->SetHelp(prompt);
}

void CFuncView::SelectItem(SjisListCtrl* list, long item) {
  if (item < 0 || item >= list->GetItemCount()) return;
  // The lists select one item: selecting this one deselects the other.
  list->SetItemState(item, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                     wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
  list->SetSelectionMark(item);
  list->EnsureVisible(item);
}

void CFuncView::ShowStep(const CStepHint& hint) {
  using Change = quillmap::EditStep::Change;
  if (hint.change == Change::kInfo || hint.change == Change::kNone) return;
  const quillmap::SpecStore& store = GetFuncDoc()->Store();
  const bool function = hint.kind == quillmap::RecordKind::kFunction;
  SjisListCtrl* list = function ? FunctionList() : StructureList();
  const long index = hint.index;
  // The record is in the document after the step's move unless an addition was undone or a
  // deletion redone.
  const bool present =
      hint.change == Change::kReplace ||
      (hint.change == Change::kInsert) == (hint.action == CStepHint::Action::kRedone);
  quillmap::text::SharedBytes name;
  if (present) {
    name = function ? store.SharedFunctionName(hint.index) : store.SharedStructName(hint.index);
  }
  long shown = index;
  if (hint.change == Change::kReplace) {
    if (index < list->GetItemCount()) list->SetCellBytes(index, 0, name.view());
  } else if (present) {
    list->InsertSharedRow(index, name);
  } else if (index < list->GetItemCount()) {
    list->DeleteRow(index);
    shown = std::min<long>(index, list->GetItemCount() - 1);
  }
  {
    // Selecting is no click: the form must not store what it shows over the step's record.
    const bool was_busy = busy_;
    busy_ = true;
    SelectItem(list, shown);
    busy_ = was_busy;
  }
  if (function) {
    ShowFunction(static_cast<int>(shown));
  } else if (present) {
    // A structure's name is a return type; entries leave that list only by the structure
    // commands themselves.
    AddReturnType(name.view());
  }
}
