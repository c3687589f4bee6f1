#include "ui/view/func_view.h"

#include <unordered_set>
#include <vector>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/msgdlg.h>
#include <wx/scrolwin.h>
#include <wx/utils.h>
#include <wx/wupdlock.h>

#include "core/edit/document_edits.h"
#include "core/edit/new_records.h"
#include "core/model/history.h"
#include "core/model/spec_record.h"
#include "core/model/struct_spec.h"
#include "core/output/record_lists.h"
#include "ui/app/child_frame.h"
#include "ui/doc/edit_hint.h"
#include "ui/doc/func_doc.h"
#include "ui/doc/step_label.h"
#include "ui/res/ids.h"
#include "ui/res/string_table.h"
#include "ui/view/func_form.h"
#include "ui/widgets/combo_wheel.h"
#include "ui/widgets/dialog_units.h"
#include "ui/widgets/form_scrolling.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/sjis_combo_box.h"
#include "ui/widgets/sjis_field.h"

wxIMPLEMENT_DYNAMIC_CLASS(CFuncView, wxView);

namespace {

namespace text = quillmap::text;

// Sets a flag for the lifetime of a scope.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = old_; }

 private:
  bool& flag_;
  bool old_;
};

}  // namespace

CFuncView::CFuncView() = default;

CFuncView::~CFuncView() {
  delete controls_;
}

CFuncDoc* CFuncView::GetFuncDoc() const {
  return wxDynamicCast(GetDocument(), CFuncDoc);
}

SjisListCtrl* CFuncView::FunctionList() const {
  return controls_->functions;
}
SjisListCtrl* CFuncView::StructureList() const {
  return controls_->structures;
}
SjisListCtrl* CFuncView::ArgumentList() const {
  return controls_->arguments;
}
SjisTextCtrl* CFuncView::NameEdit() const {
  return controls_->name;
}
SjisTextCtrl* CFuncView::HeadingEdit() const {
  return controls_->heading;
}
SjisTextCtrl* CFuncView::ReturnTextEdit() const {
  return controls_->return_text;
}
SjisTextCtrl* CFuncView::ExplanationEdit() const {
  return controls_->explanation;
}
SjisTextCtrl* CFuncView::NoteEdit() const {
  return controls_->note;
}
SjisComboBox* CFuncView::ReturnTypeCombo() const {
  return controls_->return_type;
}
SjisChoice* CFuncView::RelatedCombo() const {
  return controls_->related;
}
SjisChoice* CFuncView::HistoryCombo() const {
  return controls_->history;
}
wxChoice* CFuncView::AttributeCombo() const {
  return controls_->attribute;
}

wxButton* CFuncView::Button(int id) const {
  auto it = controls_->buttons.find(id);
  return it == controls_->buttons.end() ? nullptr : it->second;
}

// ---- framework hooks --------------------------------------------------------------------------

bool CFuncView::OnCreate(wxDocument* doc, long) {
  // The frame comes up shown, with this view active; the form becomes its only child.
  wxFrame* frame = CreateChildFrame(doc, this);
  if (frame == nullptr) return false;
  SetFrame(frame);

  form_ = new wxScrolledWindow(frame, ids::kFormTemplate, wxDefaultPosition, wxDefaultSize,
                               wxHSCROLL | wxVSCROLL | wxTAB_TRAVERSAL);
  form_->SetFont(FormFont());
  controls_ = new FormControls;
  BuildFuncForm(form_, *controls_);
  const DialogUnits du(form_);
  UseFormScrolling(form_, du.base().x, du.base().y);
  LetWheelScrollForm(form_);

  form_->Bind(wxEVT_LIST_ITEM_FOCUSED, &CFuncView::OnFunctionItemChanging, this,
              ids::kFunctionList);
  form_->Bind(wxEVT_LIST_ITEM_SELECTED, &CFuncView::OnFunctionItemChanging, this,
              ids::kFunctionList);
  for (wxWindow* field : std::initializer_list<wxWindow*>{
           controls_->heading, controls_->return_text, controls_->explanation, controls_->note,
           controls_->return_type, controls_->related}) {
    field->Bind(wxEVT_KILL_FOCUS, &CFuncView::OnFieldKillFocus, this);
  }
  BindFunctionCommands();
  BindArgumentCommands();
  BindRelatedCommands();
  BindHistoryCommands();
  BindStructureCommands();
  BindFindCommands();
  BindUndoCommands();
  return true;
}

void CFuncView::BindCommand(int id, void (CFuncView::*handler)(wxCommandEvent&)) {
  // A menu item's command reaches the view through the frame; a form button's click stays in
  // the form.
  Bind(wxEVT_MENU, handler, this, id);
  form_->Bind(wxEVT_BUTTON, handler, this, id);
}

void CFuncView::BindInsertDeleteKeys(SjisListCtrl* list, int insert_id, int delete_id) {
  list->Bind(wxEVT_LIST_KEY_DOWN, [this, insert_id, delete_id](wxListEvent& event) {
    // The list goes on with its own handling of every key.
    event.Skip();
    int command = 0;
    switch (event.GetKeyCode()) {
      case WXK_INSERT:
      case WXK_NUMPAD_INSERT:
        command = insert_id;
        break;
      case WXK_DELETE:
      case WXK_NUMPAD_DELETE:
        command = delete_id;
        break;
      default:
        return;
    }
    // Queued, as the menu item would send it: its dialogs don't open inside the list's key
    // handling.
    QueueEvent(new wxCommandEvent(wxEVT_MENU, command));
  });
}

void CFuncView::OnUpdate(wxView*, wxObject* hint) {
  if (controls_ == nullptr) return;
  if (dynamic_cast<CStorePendingHint*>(hint) != nullptr) {
    StoreIfEdited();
    return;
  }
  if (const auto* step = dynamic_cast<CStepHint*>(hint)) {
    if (filled_) ShowStep(*step);
    return;
  }
  // Only the first notice fills the form; afterwards the view refreshes itself after each of
  // its own commands, and after undo and redo from the step's hint.
  if (filled_) return;
  filled_ = true;
  InitialUpdate();
  ShowChildFrame(this);
}

void CFuncView::OnDraw(wxDC*) {}

bool CFuncView::OnClose(bool delete_window) {
  closing_ = true;
  if (!wxView::OnClose(delete_window)) {
    closing_ = false;
    return false;
  }
  Activate(false);
  if (delete_window && GetFrame() != nullptr) {
    GetFrame()->Destroy();
    SetFrame(nullptr);
  }
  return true;
}

// ---- initial update ---------------------------------------------------------------------------

void CFuncView::InsertColumns() {
  FormControls& c = *controls_;
  c.functions->InsertColumn(0, "FUNCTION", wxLIST_FORMAT_LEFT, c.functions->GetClientSize().x);
  c.structures->InsertColumn(0, "STRUCTURE", wxLIST_FORMAT_LEFT, c.structures->GetClientSize().x);
  c.arguments->InsertColumn(0, wxString::FromUTF8("型"), wxLIST_FORMAT_LEFT, 120);
  c.arguments->InsertColumn(1, wxString::FromUTF8("変数名"), wxLIST_FORMAT_LEFT, 120);
  c.arguments->InsertColumn(2, wxString::FromUTF8("説明"), wxLIST_FORMAT_LEFT,
                            c.arguments->GetClientSize().x - 240);
}

void CFuncView::InitialUpdate() {
  CFuncDoc* doc = GetFuncDoc();
  FormControls& c = *controls_;
  const FlagScope busy(busy_);
  const wxWindowUpdateLocker freeze(form_);
  const wxBusyCursor hourglass;

  c.attribute->Clear();
  for (int code = 0; code < quillmap::kFuncAttributeCount; ++code) {
    const std::string_view word = quillmap::FuncAttributeWord(code);
    c.attribute->Append(wxString::FromUTF8(word.data(), word.size()));
  }
  InsertColumns();
  EnableFunctionFields(false);

  // The lists are filled from the names alone, without copying records out; the return types
  // and structure names are offered to the return-type list together at the end.
  const quillmap::SpecStore& store = doc->Store();
  std::vector<std::string> offered;
  std::unordered_set<std::string> seen;  // a text offered again would change nothing
  const auto offer = [&](std::string text) {
    if (seen.insert(text).second) offered.push_back(std::move(text));
  };
  const std::int32_t function_count = static_cast<std::int32_t>(store.GetFunctionCount());
  for (std::int32_t i = 0; i < function_count; ++i) {
    AddFunctionItem(store.SharedFunctionName(i));
    offer(store.GetFunctionReturnType(i));
  }
  // The document's current function is the last one, as if every function had been copied out
  // in turn.
  if (function_count > 0) doc->SetCurrentFunction(function_count - 1);
  const std::int32_t struct_count = static_cast<std::int32_t>(store.GetStructCount());
  for (std::int32_t i = 0; i < struct_count; ++i) {
    quillmap::text::SharedBytes name = store.SharedStructName(i);
    offer(std::string(name.view()));
    AddStructureItem(std::move(name));
  }
  AddReturnTypes(offered);
  c.functions->SetSelectionMark(0);
}

// ---- field operations -------------------------------------------------------------------------

void CFuncView::ClearFunctionFields() {
  const FlagScope busy(busy_);
  FormControls& c = *controls_;
  c.name->SetBytes({});
  c.heading->SetBytes({});
  c.return_type->SetBytes({});
  c.return_text->SetBytes({});
  c.note->SetBytes({});
  c.explanation->SetBytes({});
  c.arguments->DeleteAllRows();
  c.related->Clear();
  c.history->Clear();
}

void CFuncView::EnableFunctionFields(bool enable) {
  const FlagScope busy(busy_);
  FormControls& c = *controls_;
  for (wxWindow* window : std::initializer_list<wxWindow*>{
           c.heading, c.attribute, c.note, c.explanation, c.return_text, c.return_type, c.name,
           c.arguments, Button(ids::kAddArgument), Button(ids::kDeleteArgument),
           Button(ids::kAddRelated), Button(ids::kCopyArgument), c.related, c.history,
           Button(ids::kUpdateHistory)}) {
    window->Enable(enable);
  }
  if (!enable) ClearFunctionFields();
}

bool CFuncView::ShowFunction(int index) {
  const FlagScope busy(busy_);
  FormControls& c = *controls_;
  ClearFunctionFields();
  if (c.functions->GetItemCount() == 0) EnableFunctionFields(false);
  if (index < 0 || index >= c.functions->GetItemCount()) return false;

  quillmap::FunctionSpec function;
  if (!GetFuncDoc()->GetFunction(index, function)) return false;

  // The name as a share of the document's bytes: a name of any length costs no copy here.
  c.name->SetSharedBytes(GetFuncDoc()->Store().SharedFunctionName(index));
  c.heading->SetBytes(function.GetIndex());
  shown_attribute_ = function.GetAttribute();
  c.attribute->SetSelection(shown_attribute_);
  // All arguments in one walk of the record: reading them one by one from the start of the list
  // would take quadratic time for a long list.
  std::vector<quillmap::ListEntry> arguments;
  quillmap::RecordKeys(function).ReadEntries(quillmap::key::kArgvList, arguments);
  for (const quillmap::ListEntry& argument : arguments) {
    AddArgumentRow(argument.type, argument.name, argument.description);
  }
  c.return_type->SetBytes(function.GetReturnType());
  c.return_text->SetBytes(function.GetReturnText());
  c.explanation->SetBytes(function.GetExplanation());
  c.note->SetBytes(function.GetNote());
  for (std::uint32_t i = 0; i < function.GetLinkCount(); ++i) {
    c.related->AppendBytes(function.GetLink(i));
  }
  if (c.related->GetCount() > 0) c.related->SetSelection(0);
  for (std::uint32_t i = 0; i < function.GetHistoryCount(); ++i) {
    std::time_t date = 0;
    std::string comment;
    // An entry with a date but no comment still yields its date.
    function.GetHistory(i, date, comment);
    AddHistoryItem(date, comment);
  }
  EnableFunctionFields(true);
  return true;
}

bool CFuncView::StoreFunction(const wxString& label) {
  // A message shown while storing moves the focus, which must not store again.
  if (storing_) return false;
  const FlagScope storing(storing_);
  FormControls& c = *controls_;
  CFuncDoc* doc = GetFuncDoc();
  text::EncodeResult name = c.name->GetBytes();
  if (!name.ok || c.name->GetValue().empty()) return false;
  const std::int32_t index = doc->FindFunction(name.bytes);
  if (index < 0) return false;

  const text::EncodeResult heading = c.heading->GetBytes();
  const text::EncodeResult return_type = c.return_type->GetBytes();
  const text::EncodeResult return_text = c.return_text->GetBytes();
  const text::EncodeResult explanation = c.explanation->GetBytes();
  const text::EncodeResult note = c.note->GetBytes();
  std::vector<text::EncodeResult> cells;
  const long rows = c.arguments->GetItemCount();
  cells.reserve(rows * 3);
  for (long row = 0; row < rows; ++row) {
    for (int column = 0; column < 3; ++column) {
      cells.push_back(c.arguments->GetCellResult(row, column));
    }
  }
  // A text that Shift-JIS can't hold is never stored in part: the document stays as it was and
  // the field keeps what was typed.
  std::vector<const text::EncodeResult*> all = {&heading, &return_type, &return_text, &explanation,
                                                &note};
  for (const text::EncodeResult& cell : cells) all.push_back(&cell);
  for (const text::EncodeResult* result : all) {
    if (!result->ok) {
      ShowUnencodable(form_, *result);
      return false;
    }
  }

  quillmap::FunctionFields fields;
  fields.name = std::move(name.bytes);
  fields.heading = heading.bytes;
  fields.attribute = c.attribute->GetSelection();
  fields.arguments.reserve(static_cast<std::size_t>(rows));
  for (std::size_t i = 0; i + 2 < cells.size(); i += 3) {
    fields.arguments.push_back({cells[i].bytes, cells[i + 1].bytes, cells[i + 2].bytes});
  }
  fields.return_type = return_type.bytes;
  fields.return_text = return_text.bytes;
  fields.explanation = explanation.bytes;
  fields.note = note.bytes;
  for (unsigned int i = 0; i < c.related->GetCount(); ++i) {
    fields.links.push_back(c.related->EntryBytes(i));
  }
  for (unsigned int i = 0; i < c.history->GetCount(); ++i) {
    quillmap::HistoryEntry entry;
    GetHistoryItem(static_cast<int>(i), entry.date, entry.comment);
    fields.history.push_back(std::move(entry));
  }
  // The step is named by the command that stored, or else by the first field typed into. A store
  // that changes nothing is no step and leaves the record's bytes as they are.
  const wxString step_label = label.empty() ? EditedFieldLabel() : label;
  quillmap::edit::Result stored = quillmap::edit::StoreFunction(doc->EditStore(), index, fields);
  if (stored.status == quillmap::edit::Status::kNotFound) return false;
  doc->Submit(std::move(stored), step_label);

  c.heading->MarkStored(heading.bytes);
  c.return_type->MarkStored(return_type.bytes);
  c.return_text->MarkStored(return_text.bytes);
  c.explanation->MarkStored(explanation.bytes);
  c.note->MarkStored(note.bytes);
  shown_attribute_ = c.attribute->GetSelection();
  AddReturnType(return_type.bytes);
  return true;
}

wxString CFuncView::EditedFieldLabel() const {
  const FormControls& c = *controls_;
  const std::pair<bool, std::string_view> fields[] = {
      {c.attribute->GetSelection() != shown_attribute_, "属性"},
      {c.heading->IsEdited(), "見出し"},
      {c.return_type->IsEdited(), "戻り値"},
      {c.return_text->IsEdited(), "戻り値"},
      {c.explanation->IsEdited(), "解説"},
      {c.note->IsEdited(), "備考"},
  };
  for (const auto& [edited, field] : fields) {
    if (edited) return FieldStepLabel(field);
  }
  return FieldStepLabel("関数定義");
}

std::int32_t CFuncView::StoreShownFunction() {
  StoreIfEdited();
  const text::EncodeResult name = controls_->name->GetBytes();
  if (!name.ok || controls_->name->GetValue().empty()) return -1;
  return GetFuncDoc()->FindFunction(name.bytes);
}

void CFuncView::StoreIfEdited() {
  if (controls_ == nullptr || controls_->name->GetValue().empty()) return;
  const FormControls& c = *controls_;
  const bool edited = c.heading->IsEdited() || c.return_type->IsEdited() ||
                      c.return_text->IsEdited() || c.explanation->IsEdited() ||
                      c.note->IsEdited() || c.attribute->GetSelection() != shown_attribute_;
  if (edited) StoreFunction();
}

void CFuncView::ShowStop(int caption_id, int text_id) const {
  ShowStopBox(form_, caption_id, text_id);
}

// ---- events -----------------------------------------------------------------------------------

void CFuncView::OnFunctionItemChanging(wxListEvent& event) {
  event.Skip();
  if (busy_ || closing_) return;
  const long item = event.GetIndex();
  if (item < 0 || item >= controls_->functions->GetItemCount()) return;
  // A view, not a copy, of a name that may be of any length; the list doesn't change before the
  // record is found.
  const std::string_view text = controls_->functions->CellView(item, 0);
  // Leaving the shown function's item, or reaching it again: nothing to do.
  if (controls_->name->ReadsAs(text)) return;
  const std::int32_t index = GetFuncDoc()->FindFunction(text);
  if (index < 0) return;
  // Only typing waits here to be stored (the list and dialog commands store at once): an
  // unedited function is left alone rather than read back whole to find nothing changed.
  StoreIfEdited();
  ShowFunction(index);
}

void CFuncView::OnFieldKillFocus(wxFocusEvent& event) {
  event.Skip();
  if (busy_ || closing_ || controls_ == nullptr) return;
  StoreIfEdited();
}
