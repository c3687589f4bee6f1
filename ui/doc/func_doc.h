#pragma once
// CFuncDoc: the document behind every .dcm window. It owns the SpecStore, remembers the function
// last copied out (the "current function", used by the clipboard command) and keeps the modified
// flag up to date as its operations change the store.

#include <cstdint>
#include <string>
#include <string_view>

#include <wx/docview.h>

#include "core/edit/document_edits.h"
#include "core/model/document_lock.h"
#include "core/model/file_identity.h"
#include "core/model/spec_store.h"

class CEditCommand;
class CEditProcessor;

class CFuncDoc : public wxDocument {
 public:
  CFuncDoc();
  ~CFuncDoc() override;

  // Document information (kind 0 title, kind 1 copyright).
  std::string GetDocInfo(int kind) const;
  // Marks the document modified first (even for an invalid kind), then stores.
  bool SetDocInfo(int kind, std::string_view text);

  // Functions. Add marks modified; Remove and Put mark modified on success. A successful Get
  // makes the index the current function. These changes are no steps: the editor's commands
  // change the document through Submit, so that they can be undone.
  std::uint32_t AddFunction(std::string_view name);
  bool RemoveFunction(std::int32_t index);
  std::int32_t FindFunction(std::string_view name) const;
  std::uint32_t GetFunctionCount() const;
  bool GetFunction(std::int32_t index, quillmap::FunctionSpec& out);
  bool PutFunction(std::int32_t index, const quillmap::FunctionSpec& record);

  // Structures, with the same rules for the modified flag (Get changes nothing).
  std::uint32_t AddStruct(std::string_view name);
  bool RemoveStruct(std::int32_t index);
  std::int32_t FindStruct(std::string_view name) const;
  std::uint32_t GetStructCount() const;
  bool GetStruct(std::int32_t index, quillmap::StructSpec& out) const;
  bool PutStruct(std::int32_t index, const quillmap::StructSpec& record);

  // Steps. Submit makes a done edit a step of the command processor, named label (the text of
  // the command that made it, "関数の削除"); false, with nothing done, for a refused edit. The
  // document's store is what edit operations work on. Undo and redo go through the processor;
  // each tells the views which record it touched (CStepHint). The modified mark is set exactly
  // when the document is not at the step last saved.
  quillmap::SpecStore& EditStore() { return store_; }
  bool Submit(quillmap::edit::Result result, const wxString& label);
  bool CanUndoStep() const;
  bool CanRedoStep() const;
  void UndoStep();
  void RedoStep();
  // Status-bar prompts: "関数の削除 'qf_open' を元に戻す"; empty without a step.
  wxString UndoPrompt() const;
  wxString RedoPrompt() const;

  wxCommandProcessor* OnCreateCommandProcessor() override;
  bool OnSaveDocument(const wxString& file) override;

  // The index last passed to a successful GetFunction; -1 until then.
  std::int32_t GetCurrentFunction() const { return current_function_; }
  // Makes a function the current one without copying it out (as GetFunction would).
  void SetCurrentFunction(std::int32_t index) {
    if (index >= 0 && static_cast<std::uint32_t>(index) < GetFunctionCount()) {
      current_function_ = index;
    }
  }
  // Read access for exporters; records still leave only as copies.
  const quillmap::SpecStore& Store() const { return store_; }

  // Lets the views fill the lists of a new document (an opened one is read first, then shown).
  bool OnNewDocument() override;
  // Before saving or asking to save, a field edited in the form is stored first, so that what
  // the user typed is neither lost nor left out of the file.
  bool Save() override;
  bool SaveAs() override;
  // Asks "%1 への変更を保存しますか?" (Yes/No/Cancel) when the document is modified.
  bool OnSaveModified() override;

 protected:
  // Reads the file through the core; a file that fails the header check is refused with
  // "予期しないﾌｧｲﾙ形式です。".
  bool DoOpenDocument(const wxString& file) override;
  // Writes the file atomically through the core, holding the document's lock while it writes.
  // A failure (a folder, FIFO or device, a read-only file, a link that can't be followed, a
  // lock another program keeps) names the path and leaves the old file as it was. When another
  // program changed the file since it was read or last saved, asks before replacing it.
  bool DoSaveDocument(const wxString& file) override;

 private:
  void OnDocInfo(wxCommandEvent& event);
  // Output commands (ui/output): the HTML page, the current function's comment block on the
  // clipboard, and the block's sections. The fields edited in the form are stored first, so
  // that the output holds what the user sees.
  void OnHtmlExport(wxCommandEvent& event);
  void OnCopySpecToClipboard(wxCommandEvent& event);
  void OnFuncSpecSettings(wxCommandEvent& event);
  void StoreEditedFields();
  CEditProcessor* Processor() const;
  void StepMoved(const CEditCommand& command, bool undone);
  void UpdateModified();
  wxString StepPrompt(const CEditCommand* command, bool undo) const;
  // Takes the lock for a save to path and, when path is the document's own file and another
  // program changed it, asks whether to replace it. False when the user says No. Raises
  // FileError when the lock can't be had.
  bool LockForSaving(const wxString& file, const std::string& path, quillmap::DocumentLock& lock);
  // Raises FileError (kBecameLink) when path, the document's own file, has become a symbolic
  // link since it was read or saved; a name that was a link then is written through as before.
  void RefuseNewLink(const wxString& file, const std::string& path) const;

  quillmap::SpecStore store_;
  // The document's file as it was read or last saved; exists is false for a new document.
  quillmap::FileIdentity identity_;
  // Whether the document's name was a symbolic link when it was read or last saved.
  bool link_when_read_ = false;
  std::int32_t current_function_ = -1;
  // The processor's position at the last save (or open); see CEditProcessor::Position.
  std::uint64_t saved_position_ = 0;

  wxDECLARE_DYNAMIC_CLASS(CFuncDoc);
  wxDECLARE_EVENT_TABLE();
};
