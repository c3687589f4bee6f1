#pragma once
// CFuncView: the form of a function document. On the left the function list and the
// structure list; on the right the fields of the one function shown. The form's controls are
// the only working copy of that function: the read-only name field says which function it is,
// and every store looks that name up in the document again.

#include <cstdint>
#include <ctime>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <wx/docview.h>
#include <wx/string.h>

#include "core/text/shared_bytes.h"

class wxButton;
class wxChoice;
class wxComboBox;
class wxListEvent;
class wxUpdateUIEvent;
class wxScrolledWindow;
class wxTextCtrl;
class CFuncDoc;
class CStepHint;
class SjisChoice;
class SjisComboBox;
class SjisListCtrl;
class SjisTextCtrl;
struct FormControls;
class ViewFind;

class CFuncView : public wxView {
 public:
  CFuncView();
  ~CFuncView() override;

  bool OnCreate(wxDocument* doc, long flags) override;
  // The first update after the document was created or read fills the lists.
  void OnUpdate(wxView* sender, wxObject* hint) override;
  // Printed and previewed pages are empty.
  void OnDraw(wxDC* dc) override;
  bool OnClose(bool delete_window) override;

  CFuncDoc* GetFuncDoc() const;

  // Loads the function at a document index into the fields; false (fields left empty) for an
  // index outside the function list.
  bool ShowFunction(int index);
  // Writes the fields into the function named by field 1030. False when no function has that
  // name or a field holds text that Shift-JIS can't hold; the document is then untouched.
  // label names the step (the command's text); without one, the first field typed into does.
  bool StoreFunction(const wxString& label = wxString());
  void ClearFunctionFields();
  void EnableFunctionFields(bool enable);
  void AddFunctionItem(std::string_view name);
  void AddStructureItem(std::string_view name);
  // The same with a share of the name's bytes: a list keeps the whole name without a copy.
  void AddFunctionItem(quillmap::text::SharedBytes name);
  void AddStructureItem(quillmap::text::SharedBytes name);
  // An item that add or copy put at the end of its list, appended and scrolled into view, so
  // the user sees what was added.
  void AppendFunctionItemInView(std::string_view name);
  void AppendFunctionItemInView(quillmap::text::SharedBytes name);
  void AppendStructureItemInView(std::string_view name);
  void AddArgumentRow(std::string_view type, std::string_view name, std::string_view description);
  void AddHistoryItem(std::time_t date, std::string_view comment);
  bool GetHistoryItem(int position, std::time_t& date, std::string& comment) const;
  // Adds the text to the return-type list unless an entry equal but for letter case is there.
  void AddReturnType(std::string_view text);
  void RemoveReturnType(std::string_view text);
  // False, after a stop message, when the name is taken.
  bool CreateFunction(std::string_view return_type, std::string_view name);
  bool CreateStructure(std::string_view name);
  // Stores what was typed into the shown function's fields, and returns the function's index
  // (-1 when none is shown).
  std::int32_t StoreShownFunction();
  // Stores the shown function when a field differs from what was shown or last stored (used
  // before saving and closing, where no field loses the focus).
  void StoreIfEdited();

  // Controls for the list, field and history commands.
  wxScrolledWindow* Form() const { return form_; }
  SjisListCtrl* FunctionList() const;
  SjisListCtrl* StructureList() const;
  SjisListCtrl* ArgumentList() const;
  SjisTextCtrl* NameEdit() const;
  SjisTextCtrl* HeadingEdit() const;
  SjisTextCtrl* ReturnTextEdit() const;
  SjisTextCtrl* ExplanationEdit() const;
  SjisTextCtrl* NoteEdit() const;
  SjisComboBox* ReturnTypeCombo() const;
  SjisChoice* RelatedCombo() const;
  SjisChoice* HistoryCombo() const;
  wxChoice* AttributeCombo() const;
  wxButton* Button(int id) const;

  // Commands, grouped in files by what they act on. Each group binds its own buttons, menu
  // items, keys and list notifications when the view is created.

  // ---- function list (func_view_functions.cpp)
  // Add from a typed prototype (1025, Insert in list 1001), delete the function at the list's
  // selection mark (1026, Delete), copy it under a numbered name (32778).
  void OnAddFunction(wxCommandEvent& event);
  void OnDeleteFunction(wxCommandEvent& event);
  void OnCopyFunction(wxCommandEvent& event);
  // Renaming by label editing of list 1001.
  void OnBeginRenameFunction(wxListEvent& event);
  void OnEndRenameFunction(wxListEvent& event);

  // ---- arguments (func_view_arguments.cpp)
  // Add (1005, Insert in list 1014), delete (1006, Delete), copy (1007) the row at the argument
  // list's selection mark; edit it in the argument dialog (double click).
  void OnAddArgument(wxCommandEvent& event);
  void OnDeleteArgument(wxCommandEvent& event);
  void OnCopyArgument(wxCommandEvent& event);
  void OnEditArgument();
  // The Edit menu's argument items always run; the form's buttons keep the state that
  // EnableFunctionFields gave them.
  void OnUpdateArgumentCommand(wxUpdateUIEvent& event);

  // ---- fields and related functions (func_view_related.cpp)
  // Chooses the related functions in the related dialog (1023).
  void OnAddRelatedFunction(wxCommandEvent& event);

  // ---- structures (func_view_structures.cpp)
  void BindStructureCommands();
  // Add a structure defined in CStructDefDlg (1028, Insert in list 1002), delete (1029, Delete)
  // or copy under a numbered name (32779) the structure at the list's selection mark, and edit
  // it in CStructDefDlg (32780, double click).
  void OnAddStructure(wxCommandEvent& event);
  void OnDeleteStructure(wxCommandEvent& event);
  void OnCopyStructure(wxCommandEvent& event);
  void OnEditStructure(wxCommandEvent& event);
  // Renaming by label editing of list 1002.
  void OnBeginRenameStructure(wxListEvent& event);
  void OnEndRenameStructure(wxListEvent& event);
  // Renames the structure of list item `item` (old name from StructureEditName()) to label.
  void RenameStructure(long item, const wxString& label);

  // ---- update history (func_view_history.cpp)
  void BindHistoryCommands();
  // Button 1024: edits the shown function's history in CHistoryListDlg; after OK rebuilds the
  // history combo in the dialog's order and stores the function.
  void OnUpdateHistory();

  // ---- find (func_view_find.cpp)
  // Find (41300, Ctrl+F), find next (41301, F3) and find previous (41302, Shift+F3).
  void BindFindCommands();
  ViewFind* Find() const { return find_.get(); }
  // ---- undo and redo (func_view_undo.cpp)
  void BindUndoCommands();
  // Ctrl+Z: in a field with typing not stored yet, gives the field back its stored text; else
  // undoes the document's last step. Ctrl+Y, Ctrl+Shift+Z: redoes the step undone last.
  void OnUndo(wxCommandEvent& event);
  void OnRedo(wxCommandEvent& event);
  // Enables the items and sets their status-bar prompts, which name the step.
  void OnUpdateUndoRedo(wxUpdateUIEvent& event);
  // Shows the function or structure a step undone or redone touched, selected and in view.
  void ShowStep(const CStepHint& hint);

  // Names that list items had when their label editing began (renaming).
  std::string& FunctionEditName() { return function_edit_name_; }
  std::string& StructureEditName() { return structure_edit_name_; }

 private:
  void InitialUpdate();
  // Each group of commands binds its buttons, menu items, keys and list notifications.
  void BindFunctionCommands();
  void BindArgumentCommands();
  void BindRelatedCommands();
  // Binds a command to its menu item (on the view) and to its form button.
  void BindCommand(int id, void (CFuncView::*handler)(wxCommandEvent&));
  // In list, the Insert and Delete keys run these commands, once the key has been handled.
  void BindInsertDeleteKeys(SjisListCtrl* list, int insert_id, int delete_id);
  // Renames the function of list item `item` (old name from FunctionEditName()) to label.
  void RenameFunction(long item, const wxString& label);
  void InsertColumns();
  // AddReturnType of every text in turn, placing them in the list in one go.
  void AddReturnTypes(const std::vector<std::string>& texts);
  void OnFunctionItemChanging(wxListEvent& event);
  void OnFieldKillFocus(wxFocusEvent& event);
  // Shows a stop box owned by the form.
  void ShowStop(int caption_id, int text_id) const;
  wxString ReturnTypeKey(std::string_view text) const;
  // "見出しの変更" for the first field that differs from what was shown or last stored.
  wxString EditedFieldLabel() const;
  // The text field (or the return-type combo's entry) that has the focus and typing not stored
  // yet; null when there is none.
  wxWindow* FocusedEditedField() const;
  // Selects item in list, scrolls it into view and makes it the selection mark.
  void SelectItem(SjisListCtrl* list, long item);

  wxScrolledWindow* form_ = nullptr;
  FormControls* controls_ = nullptr;
  bool filled_ = false;   // the initial update ran
  bool busy_ = false;     // the fields are being filled or emptied
  bool closing_ = false;  // the frame is going away: no more stores
  bool storing_ = false;  // StoreFunction is running
  int shown_attribute_ = 0;
  std::set<wxString> return_type_keys_;  // lower-case texts of the return-type list
  std::string function_edit_name_;
  std::string structure_edit_name_;
  std::shared_ptr<ViewFind> find_;  // made by BindFindCommands

  wxDECLARE_DYNAMIC_CLASS(CFuncView);
};
