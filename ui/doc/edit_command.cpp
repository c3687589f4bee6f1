#include "ui/doc/edit_command.h"

CEditCommand::CEditCommand(quillmap::SpecStore& store, quillmap::EditStep step,
                           const wxString& name, std::uint64_t serial)
    : wxCommand(true, name), store_(store), step_(std::move(step)), serial_(serial) {}

bool CEditCommand::Do() {
  // Submitted done; a later Do is a redo.
  return step_.done() || step_.Redo(store_);
}

bool CEditCommand::Undo() {
  return step_.Undo(store_);
}

void CEditProcessor::Store(wxCommand* command) {
  // The steps after the current one are cut off here rather than by the base class, so that the
  // count below is the one the base class finds whatever order it does things in.
  wxList::compatibility_iterator node =
      m_currentCommand ? m_currentCommand->GetNext() : m_commands.GetFirst();
  while (node) {
    const wxList::compatibility_iterator next = node->GetNext();
    delete static_cast<wxCommand*>(node->GetData());
    m_commands.Erase(node);
    node = next;
  }
  // wx's own saved mark is not used (it is lost with the step it marks).
  m_lastSavedCommand = wxList::compatibility_iterator();
  // A full processor drops its oldest step; the start of the list is then that step's state.
  if (static_cast<int>(m_commands.GetCount()) >= GetMaxCommands() && !m_commands.IsEmpty()) {
    dropped_ = static_cast<CEditCommand*>(m_commands.GetFirst()->GetData())->serial();
  }
  wxCommandProcessor::Store(command);
}

bool CEditProcessor::Undo() {
  const CEditCommand* command = UndoCommand();
  if (command == nullptr || !wxCommandProcessor::Undo()) return false;
  if (moved_) moved_(*command, true);
  return true;
}

bool CEditProcessor::Redo() {
  const CEditCommand* command = RedoCommand();
  if (command == nullptr || !wxCommandProcessor::Redo()) return false;
  if (moved_) moved_(*command, false);
  return true;
}

std::uint64_t CEditProcessor::Position() const {
  const auto* current = static_cast<const CEditCommand*>(GetCurrentCommand());
  return current != nullptr ? current->serial() : dropped_;
}

CEditCommand* CEditProcessor::UndoCommand() const {
  return CanUndo() ? static_cast<CEditCommand*>(GetCurrentCommand()) : nullptr;
}

CEditCommand* CEditProcessor::RedoCommand() const {
  if (!CanRedo()) return nullptr;
  const wxList::compatibility_iterator next =
      m_currentCommand ? m_currentCommand->GetNext() : m_commands.GetFirst();
  return next ? static_cast<CEditCommand*>(next->GetData()) : nullptr;
}
