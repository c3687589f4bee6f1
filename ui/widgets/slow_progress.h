#pragma once
// Feedback for a long load or save: a busy cursor from the start, and once the work has taken
// about a second, a progress dialog with a bar (a short one never shows it). The core reports
// its progress through the function this hands out.

#include <chrono>
#include <cstdint>
#include <memory>

#include <wx/string.h>
#include <wx/utils.h>

#include "core/model/progress.h"

class wxProgressDialog;
class wxWindow;

class SlowProgress {
 public:
  // The dialog's text is message (its caption the program's name).
  SlowProgress(wxWindow* parent, const wxString& message);
  ~SlowProgress();
  SlowProgress(const SlowProgress&) = delete;
  SlowProgress& operator=(const SlowProgress&) = delete;

  quillmap::ProgressFunction Function();
  bool DialogShown() const { return dialog_ != nullptr; }

  // How long the work runs before the dialog comes up.
  static constexpr std::chrono::milliseconds kDelay{1000};

 private:
  void Update(std::uint64_t done, std::uint64_t total);

  wxBusyCursor busy_;
  wxWindow* parent_;
  wxString message_;
  std::chrono::steady_clock::time_point start_;
  std::unique_ptr<wxProgressDialog> dialog_;
};
