#include "ui/doc/func_doc.h"

#include <cerrno>
#include <chrono>
#include <exception>
#include <optional>
#include <vector>

#include <wx/msgdlg.h>

#include "core/model/file.h"
#include "core/model/file_error_text.h"
#include "core/model/file_identity.h"
#include "ui/dialogs/doc_info_dlg.h"
#include "ui/doc/edit_command.h"
#include "ui/doc/edit_hint.h"
#include "ui/doc/save_as.h"
#include "ui/doc/step_label.h"
#include "ui/output/clipboard_command.h"
#include "ui/output/html_export_command.h"
#include "ui/res/ids.h"
#include "ui/res/string_table.h"
#include "ui/widgets/file_path.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/sjis_field.h"
#include "ui/widgets/slow_progress.h"

wxIMPLEMENT_DYNAMIC_CLASS(CFuncDoc, wxDocument);

wxBEGIN_EVENT_TABLE(CFuncDoc, wxDocument) EVT_MENU(ids::kDocInfo, CFuncDoc::OnDocInfo)
    wxEND_EVENT_TABLE()

        namespace {
  // Why a file operation failed, in Japanese for the common cases; empty otherwise.
  wxString Reason(const quillmap::FileError& error) {
    return ResourceText(quillmap::FileErrorPhrase(error.error_number()));
  }

  // A message and, on the next line, why (when there is a reason to give).
  wxString WithReason(const wxString& text, const wxString& reason) {
    return reason.empty() ? text : text + "\n" + reason;
  }

  void ShowFileMessage(const wxString& text) {
    ShowMessageBox(nullptr, text, LoadWxString(ids::kStrAppName), wxOK | wxICON_EXCLAMATION);
  }

  // How long Save waits for a command that holds the document's lock.
  constexpr std::chrono::seconds kSaveLockWait(2);

  // "<path> に保存できませんでした。..." and, on the next line, why.
  wxString SaveFailureText(const wxString& path, const quillmap::FileError& error) {
    const wxString text = LoadWxString(ids::kStrCannotSave, path);
    switch (error.kind()) {
      case quillmap::FileError::Kind::kNotRegularFile:
        return WithReason(text, LoadWxString(ids::kStrNotRegularFile));
      case quillmap::FileError::Kind::kReadOnly:
        return WithReason(text, LoadWxString(ids::kStrReadOnlyFile));
      case quillmap::FileError::Kind::kBrokenLink:
        return WithReason(text, LoadWxString(ids::kStrBrokenLink));
      case quillmap::FileError::Kind::kLocked:
        return WithReason(text, LoadWxString(ids::kStrFileLocked));
      case quillmap::FileError::Kind::kReplaced:
        return WithReason(text, LoadWxString(ids::kStrFileReplaced));
      case quillmap::FileError::Kind::kBecameLink:
        return WithReason(text, LoadWxString(ids::kStrBecameLink));
      case quillmap::FileError::Kind::kSystem:
        break;
    }
    return WithReason(text, Reason(error));
  }

}  // namespace

CFuncDoc::CFuncDoc() {
  Bind(wxEVT_MENU, &CFuncDoc::OnHtmlExport, this, ids::kHtmlExport);
  Bind(wxEVT_MENU, &CFuncDoc::OnCopySpecToClipboard, this, ids::kCopyToClipboard);
  Bind(wxEVT_MENU, &CFuncDoc::OnFuncSpecSettings, this, ids::kFuncSpecSettings);
}

CFuncDoc::~CFuncDoc() = default;

std::string CFuncDoc::GetDocInfo(int kind) const {
  return store_.GetDocInfo(kind);
}

bool CFuncDoc::SetDocInfo(int kind, std::string_view text) {
  Modify(true);
  return store_.SetDocInfo(kind, text);
}

std::uint32_t CFuncDoc::AddFunction(std::string_view name) {
  Modify(true);
  return store_.AddFunction(name);
}

bool CFuncDoc::RemoveFunction(std::int32_t index) {
  if (!store_.RemoveFunction(index)) return false;
  Modify(true);
  return true;
}

std::int32_t CFuncDoc::FindFunction(std::string_view name) const {
  return store_.FindFunction(name);
}

std::uint32_t CFuncDoc::GetFunctionCount() const {
  return store_.GetFunctionCount();
}

bool CFuncDoc::GetFunction(std::int32_t index, quillmap::FunctionSpec& out) {
  if (!store_.GetFunction(index, out)) return false;
  current_function_ = index;
  return true;
}

bool CFuncDoc::PutFunction(std::int32_t index, const quillmap::FunctionSpec& record) {
  if (!store_.PutFunction(index, record)) return false;
  Modify(true);
  return true;
}

std::uint32_t CFuncDoc::AddStruct(std::string_view name) {
  Modify(true);
  return store_.AddStruct(name);
}

bool CFuncDoc::RemoveStruct(std::int32_t index) {
  if (!store_.RemoveStruct(index)) return false;
  Modify(true);
  return true;
}

std::int32_t CFuncDoc::FindStruct(std::string_view name) const {
  return store_.FindStruct(name);
}

std::uint32_t CFuncDoc::GetStructCount() const {
  return store_.GetStructCount();
}

bool CFuncDoc::GetStruct(std::int32_t index, quillmap::StructSpec& out) const {
  return store_.GetStruct(index, out);
}

bool CFuncDoc::PutStruct(std::int32_t index, const quillmap::StructSpec& record) {
  if (!store_.PutStruct(index, record)) return false;
  Modify(true);
  return true;
}

bool CFuncDoc::OnNewDocument() {
  if (!wxDocument::OnNewDocument()) return false;
  UpdateAllViews();
  return true;
}

void CFuncDoc::StoreEditedFields() {
  CStorePendingHint hint;
  UpdateAllViews(nullptr, &hint);
}

// ---- steps ------------------------------------------------------------------------------------

wxCommandProcessor* CFuncDoc::OnCreateCommandProcessor() {
  return new CEditProcessor(
      [this](const CEditCommand& command, bool undone) { StepMoved(command, undone); });
}

CEditProcessor* CFuncDoc::Processor() const {
  // A document made by its template has its processor from the start; one made otherwise gets
  // it on first use.
  if (GetCommandProcessor() == nullptr) {
    auto* self = const_cast<CFuncDoc*>(this);
    self->SetCommandProcessor(self->OnCreateCommandProcessor());
  }
  return static_cast<CEditProcessor*>(GetCommandProcessor());
}

bool CFuncDoc::Submit(quillmap::edit::Result result, const wxString& label) {
  if (!result.done()) return false;
  CEditProcessor* processor = Processor();
  processor->Submit(
      new CEditCommand(store_, std::move(result.step), label, processor->NextSerial()));
  UpdateModified();
  return true;
}

bool CFuncDoc::CanUndoStep() const {
  return Processor()->CanUndo();
}

bool CFuncDoc::CanRedoStep() const {
  return Processor()->CanRedo();
}

void CFuncDoc::UndoStep() {
  Processor()->Undo();
}

void CFuncDoc::RedoStep() {
  Processor()->Redo();
}

void CFuncDoc::StepMoved(const CEditCommand& command, bool undone) {
  UpdateModified();
  CStepHint hint(command.step(), undone ? CStepHint::Action::kUndone : CStepHint::Action::kRedone);
  UpdateAllViews(nullptr, &hint);
}

void CFuncDoc::UpdateModified() {
  Modify(Processor()->Position() != saved_position_);
}

wxString CFuncDoc::StepPrompt(const CEditCommand* command, bool undo) const {
  if (command == nullptr) return wxString();
  const std::string& name = command->step().name();
  if (command->step().change() == quillmap::EditStep::Change::kInfo) {
    return LoadWxString(undo ? ids::kStrUndoInfo : ids::kStrRedoInfo, command->GetName());
  }
  wxString text = LoadWxString(undo ? ids::kStrUndoStep : ids::kStrRedoStep, command->GetName());
  text.Replace("%2", SjisToWx(name));
  return text;
}

wxString CFuncDoc::UndoPrompt() const {
  return StepPrompt(Processor()->UndoCommand(), true);
}

wxString CFuncDoc::RedoPrompt() const {
  return StepPrompt(Processor()->RedoCommand(), false);
}

bool CFuncDoc::OnSaveDocument(const wxString& file) {
  if (!wxDocument::OnSaveDocument(file)) return false;
  // Saving keeps the steps; the mark now follows this one.
  saved_position_ = Processor()->Position();
  Modify(false);
  return true;
}

bool CFuncDoc::Save() {
  StoreEditedFields();
  return wxDocument::Save();
}

bool CFuncDoc::SaveAs() {
  StoreEditedFields();
  return SaveDocumentAs(this);
}

bool CFuncDoc::OnSaveModified() {
  StoreEditedFields();
  if (!IsModified()) return true;
  const wxString prompt = LoadWxString(ids::kStrSaveChanges, GetUserReadableName());
  switch (ShowMessageBox(GetDocumentWindow(), prompt, LoadWxString(ids::kStrAppName),
                         wxYES_NO | wxCANCEL | wxICON_EXCLAMATION)) {
    case wxID_YES:
      return Save();
    case wxID_NO:
      Modify(false);
      return true;
    default:
      return false;
  }
}

bool CFuncDoc::DoOpenDocument(const wxString& file) {
  // Taken before reading: a change made while the file is read is noticed at the next Save.
  const std::string path = FilePathBytes(file);
  identity_ = quillmap::IdentityOf(path);
  link_when_read_ = quillmap::IsSymbolicLink(path);
  // What a save that was killed left beside the file; a live save's file is left alone.
  quillmap::RemoveAbandonedTemporary(path);
  bool loaded = false;
  try {
    SlowProgress progress(GetDocumentWindow(), LoadWxString(ids::kStrReading, file));
    loaded = quillmap::LoadStoreFromPath(store_, path, progress.Function());
  } catch (const quillmap::FileError& error) {
    ShowFileMessage(WithReason(LoadWxString(ids::kStrCannotOpen, file), Reason(error)));
    return false;
  } catch (const std::exception&) {
    // Anything else the reader could not cope with is a file it doesn't understand.
    loaded = false;
  }
  if (!loaded) {
    ShowFileMessage(LoadWxString(ids::kStrBadFileFormat));
    return false;
  }
  current_function_ = -1;
  return true;
}

bool CFuncDoc::LockForSaving(const wxString& file, const std::string& path,
                             quillmap::DocumentLock& lock) {
  const bool own_file = identity_.exists && file == GetFilename();
  quillmap::FileIdentity accepted = identity_;
  for (;;) {
    if (lock.Lock(path, kSaveLockWait) == quillmap::DocumentLock::State::kBusy) {
      throw quillmap::CannotWrite(path, EWOULDBLOCK, quillmap::FileError::Kind::kLocked);
    }
    const quillmap::FileIdentity now = quillmap::IdentityOf(path);
    if (!own_file || !now.exists || now == accepted) return true;
    lock.Unlock();  // no command waits on the editor while the question is open
    if (ShowMessageBox(GetDocumentWindow(), LoadWxString(ids::kStrFileChanged, file),
                       LoadWxString(ids::kStrAppName),
                       wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION) != wxID_YES) {
      return false;
    }
    accepted = now;  // asked about this state; a newer change is asked about again
  }
}

void CFuncDoc::RefuseNewLink(const wxString& file, const std::string& path) const {
  // The user agreed to replace what another program put under the name, but a link would send
  // the document into whatever file it leads to.
  if (identity_.exists && file == GetFilename() && !link_when_read_ &&
      quillmap::IsSymbolicLink(path)) {
    throw quillmap::CannotWrite(path, ELOOP, quillmap::FileError::Kind::kBecameLink);
  }
}

bool CFuncDoc::DoSaveDocument(const wxString& file) {
  const std::string path = FilePathBytes(file);
  try {
    quillmap::DocumentLock lock;
    if (!LockForSaving(file, path, lock)) return false;
    RefuseNewLink(file, path);
    SlowProgress progress(GetDocumentWindow(), LoadWxString(ids::kStrSaving, file));
    identity_ = quillmap::SaveStoreToPath(store_, path, progress.Function());
    link_when_read_ = quillmap::IsSymbolicLink(path);
  } catch (const quillmap::FileError& error) {
    ShowFileMessage(SaveFailureText(file, error));
    return false;
  }
  return true;
}

void CFuncDoc::OnDocInfo(wxCommandEvent&) {
  CDocInfoDlg dialog(nullptr);
  for (int kind : {quillmap::kDocInfoTitle, quillmap::kDocInfoCopyright}) {
    dialog.SetDocInfo(kind, GetDocInfo(kind));
  }
  dialog.TransferDataToWindow();
  if (dialog.ShowModal() != wxID_OK) return;
  Submit(quillmap::edit::SetDocInfo(store_, dialog.GetDocInfo(quillmap::kDocInfoTitle),
                                    dialog.GetDocInfo(quillmap::kDocInfoCopyright)),
         StepLabel(ids::kDocInfo));
}

void CFuncDoc::OnHtmlExport(wxCommandEvent&) {
  StoreEditedFields();
  std::vector<wxString> other_documents;
  std::vector<wxDocument*> pages;
  if (wxDocManager* manager = GetDocumentManager()) {
    for (wxObject* object : manager->GetDocuments()) {
      auto* doc = static_cast<wxDocument*>(object);
      if (doc == this) continue;
      if (dynamic_cast<CFuncDoc*>(doc) != nullptr) {
        other_documents.push_back(doc->GetFilename());
      } else {
        pages.push_back(doc);
      }
    }
  }
  const std::optional<wxString> written = RunHtmlExport(store_, GetFilename(), other_documents);
  if (!written) return;
  // A browser window already showing the page shows the new one.
  for (wxDocument* page : pages) {
    if (!page->GetFilename().empty() &&
        quillmap::SameFile(FilePathBytes(page->GetFilename()), FilePathBytes(*written))) {
      page->UpdateAllViews();
    }
  }
}

void CFuncDoc::OnCopySpecToClipboard(wxCommandEvent&) {
  StoreEditedFields();
  CopySpecToClipboard(store_, current_function_);
}

void CFuncDoc::OnFuncSpecSettings(wxCommandEvent&) {
  EditClipboardSpecSettings(nullptr);
}
