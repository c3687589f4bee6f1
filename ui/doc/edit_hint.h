#pragma once
// What the document tells its views (the hint of UpdateAllViews); the document knows no view.

#include <cstdint>
#include <string>

#include <wx/object.h>

#include "core/edit/edit_step.h"

// An edit step was undone or redone: the views show the record it touched.
class CStepHint : public wxObject {
 public:
  enum class Action { kUndone, kRedone };
  CStepHint(const quillmap::EditStep& step, Action action)
      : change(step.change()), kind(step.kind()), index(step.index()), action(action) {}

  quillmap::EditStep::Change change;
  quillmap::RecordKind kind;
  std::int32_t index;
  Action action;
};

// Before a save, a close or an output command: a view stores the typing it has not stored yet.
class CStorePendingHint : public wxObject {};
