#pragma once
// wx/testing.h with a dialog hook that reports a dialog it did not expect as a test failure; the
// program's last-resort hook (main.cpp) then answers it with Cancel so that nothing blocks.

#include <gtest/gtest.h>

#include <wx/testing.h>

class GTestModalHook : public wxTestingModalHook {
 public:
  GTestModalHook(const char* file, int line, const char* func)
      : wxTestingModalHook(file, line, func), file_(file), line_(line) {}

 protected:
  void ReportFailure(const wxString& message) override {
    ADD_FAILURE_AT(file_ != nullptr ? file_ : __FILE__, line_) << message.utf8_str();
  }

 private:
  const char* file_;
  int line_;
};

#undef wxTEST_DIALOG_HOOK_CLASS
#define wxTEST_DIALOG_HOOK_CLASS GTestModalHook
