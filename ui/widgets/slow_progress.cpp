#include "ui/widgets/slow_progress.h"

#include <algorithm>

#include <wx/progdlg.h>

#include "ui/res/ids.h"
#include "ui/res/string_table.h"

namespace {

constexpr int kRange = 1000;

}  // namespace

SlowProgress::SlowProgress(wxWindow* parent, const wxString& message)
    : parent_(parent), message_(message), start_(std::chrono::steady_clock::now()) {}

SlowProgress::~SlowProgress() = default;

quillmap::ProgressFunction SlowProgress::Function() {
  return [this](std::uint64_t done, std::uint64_t total) { Update(done, total); };
}

void SlowProgress::Update(std::uint64_t done, std::uint64_t total) {
  if (dialog_ == nullptr) {
    if (std::chrono::steady_clock::now() - start_ < kDelay) return;
    dialog_ = std::make_unique<wxProgressDialog>(LoadWxString(ids::kStrAppName), message_, kRange,
                                                 parent_, wxPD_APP_MODAL | wxPD_AUTO_HIDE);
  }
  const int value = total == 0 ? 0 : static_cast<int>(std::min(done, total) * kRange / total);
  dialog_->Update(std::min(value, kRange - 1));
}
