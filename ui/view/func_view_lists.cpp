// CFuncView's lists: items added to the function, structure, argument and history lists and
// the return-type list, and the records that add commands create through the edit operations.
#include <utility>
#include <vector>

#include "core/edit/document_edits.h"
#include "core/edit/new_records.h"
#include "core/model/history.h"
#include "core/model/spec_record.h"
#include "core/model/struct_spec.h"
#include "ui/doc/func_doc.h"
#include "ui/doc/step_label.h"
#include "ui/res/ids.h"
#include "ui/view/func_form.h"
#include "ui/view/func_view.h"
#include "ui/widgets/sjis_combo_box.h"
#include "ui/widgets/sjis_field.h"

// ---- list operations --------------------------------------------------------------------------

void CFuncView::AddFunctionItem(std::string_view name) {
  controls_->functions->AppendRow({name});
}

void CFuncView::AddStructureItem(std::string_view name) {
  controls_->structures->AppendRow({name});
}

void CFuncView::AddFunctionItem(quillmap::text::SharedBytes name) {
  controls_->functions->AppendSharedRow(std::move(name));
}

void CFuncView::AddStructureItem(quillmap::text::SharedBytes name) {
  controls_->structures->AppendSharedRow(std::move(name));
}

void CFuncView::AppendFunctionItemInView(std::string_view name) {
  AddFunctionItem(name);
  controls_->functions->EnsureVisible(controls_->functions->GetItemCount() - 1);
}

void CFuncView::AppendFunctionItemInView(quillmap::text::SharedBytes name) {
  AddFunctionItem(std::move(name));
  controls_->functions->EnsureVisible(controls_->functions->GetItemCount() - 1);
}

void CFuncView::AppendStructureItemInView(std::string_view name) {
  AddStructureItem(name);
  controls_->structures->EnsureVisible(controls_->structures->GetItemCount() - 1);
}

void CFuncView::AddArgumentRow(std::string_view type, std::string_view name,
                               std::string_view description) {
  SjisListCtrl* list = controls_->arguments;
  const long row = list->AppendRow({{}, {}, {}});
  list->SetCellBytes(row, 0, type);
  list->SetCellBytes(row, 1, name);
  list->SetCellBytes(row, 2, description);
}

void CFuncView::AddHistoryItem(std::time_t date, std::string_view comment) {
  std::string entry = quillmap::FormatHistoryDate(date);
  entry += ' ';
  entry += comment;
  controls_->history->AppendBytes(entry);
  controls_->history->SetSelection(0);
}

bool CFuncView::GetHistoryItem(int position, std::time_t& date, std::string& comment) const {
  SjisChoice* history = controls_->history;
  if (position < 0 || position >= static_cast<int>(history->GetCount())) return false;
  // The date is everything before the first blank (0x20 is never half of a double-byte
  // character); the comment is everything after it, blanks included.
  const std::string entry = history->EntryBytes(static_cast<unsigned int>(position));
  const std::size_t blank = entry.find(' ');
  const std::string_view date_text =
      std::string_view(entry).substr(0, blank == std::string::npos ? entry.size() : blank);
  comment = blank == std::string::npos ? std::string() : entry.substr(blank + 1);
  date = quillmap::ParseHistoryDate(date_text);
  return true;
}

wxString CFuncView::ReturnTypeKey(std::string_view text) const {
  return SjisToWx(text).Lower();
}

void CFuncView::AddReturnType(std::string_view text) {
  if (!return_type_keys_.insert(ReturnTypeKey(text)).second) return;
  controls_->return_type->AppendBytes(text);
}

void CFuncView::AddReturnTypes(const std::vector<std::string>& texts) {
  std::vector<std::string> added;
  for (const std::string& text : texts) {
    if (return_type_keys_.insert(ReturnTypeKey(text)).second) added.push_back(text);
  }
  controls_->return_type->AppendBytes(added);
}

void CFuncView::RemoveReturnType(std::string_view text) {
  if (return_type_keys_.erase(ReturnTypeKey(text)) == 0) return;
  SjisComboBox* combo = controls_->return_type;
  const int n = combo->FindString(SjisToWx(text), false);
  if (n != wxNOT_FOUND) combo->Delete(static_cast<unsigned int>(n));
}

bool CFuncView::CreateFunction(std::string_view return_type, std::string_view name) {
  quillmap::FunctionSpec function;
  function.SetRecordName(name);
  if (!return_type.empty()) {
    function.SetReturnType(return_type);
    function.SetReturnText(quillmap::TypeDescription(return_type));
    function.SetIndex(quillmap::FunctionHeading(name));
  }
  CFuncDoc* doc = GetFuncDoc();
  quillmap::edit::Result added = quillmap::edit::AddFunction(doc->EditStore(), function);
  switch (added.status) {
    case quillmap::edit::Status::kNameTaken:
      ShowStop(40000, 40100);
      return false;
    case quillmap::edit::Status::kNoName:
      ShowStop(40000, 40106);
      return false;
    default:
      break;
  }
  const std::int32_t index = added.index;
  if (!doc->Submit(std::move(added), StepLabel(ids::kAddFunction))) return false;
  AppendFunctionItemInView(name);
  ShowFunction(index);
  return true;
}

bool CFuncView::CreateStructure(std::string_view name) {
  quillmap::StructSpec structure;
  structure.SetRecordName(name);
  CFuncDoc* doc = GetFuncDoc();
  quillmap::edit::Result added = quillmap::edit::AddStruct(doc->EditStore(), structure);
  switch (added.status) {
    case quillmap::edit::Status::kNameTaken:
      ShowStop(40008, 40115);
      return false;
    case quillmap::edit::Status::kNoName:
      ShowStop(40008, 40114);
      return false;
    default:
      break;
  }
  if (!doc->Submit(std::move(added), StepLabel(ids::kMenuAddStructure))) return false;
  AppendStructureItemInView(name);
  AddReturnType(name);
  return true;
}
