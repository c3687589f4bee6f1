#pragma once
// The steps of a function document as commands of wx's command processor. A command holds one
// edit step (core/edit) and its name, the text of the command that made it; the processor keeps
// at most 1,000 of them. The processor counts its steps so that the document can tell whether
// it is back at the state last saved, also after that step was cut off by a new branch or
// dropped at the limit (wx's own saved mark is lost in both cases).

#include <cstdint>
#include <functional>

#include <wx/cmdproc.h>

#include "core/edit/edit_step.h"
#include "core/model/spec_store.h"

class CEditCommand : public wxCommand {
 public:
  // step is done on store already; the processor's first Do only takes note of it.
  CEditCommand(quillmap::SpecStore& store, quillmap::EditStep step, const wxString& name,
               std::uint64_t serial);

  bool Do() override;
  bool Undo() override;

  const quillmap::EditStep& step() const { return step_; }
  std::uint64_t serial() const { return serial_; }

 private:
  quillmap::SpecStore& store_;
  quillmap::EditStep step_;
  std::uint64_t serial_;
};

class CEditProcessor : public wxCommandProcessor {
 public:
  static constexpr int kMaxSteps = 1000;
  // Told of every step undone (true) or redone (false) after the processor moved, whoever asked
  // for it (the view's Ctrl+Z or the document manager's own Undo command).
  using StepMoved = std::function<void(const CEditCommand& command, bool undone)>;
  explicit CEditProcessor(StepMoved moved)
      : wxCommandProcessor(kMaxSteps), moved_(std::move(moved)) {}

  void Store(wxCommand* command) override;
  bool Undo() override;
  bool Redo() override;

  // The serial number the next command gets.
  std::uint64_t NextSerial() { return ++last_serial_; }
  // Where the document stands: the serial of the last step done, or, with every step undone,
  // that of the newest step dropped at the limit (0 when none was dropped).
  std::uint64_t Position() const;
  // The step the next Redo does; null when there is none.
  CEditCommand* RedoCommand() const;
  CEditCommand* UndoCommand() const;

 private:
  StepMoved moved_;
  std::uint64_t last_serial_ = 0;
  std::uint64_t dropped_ = 0;
};
