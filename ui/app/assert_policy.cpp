#include "ui/app/assert_policy.h"

#include <cstdio>

#include <wx/debug.h>

namespace {

void LogAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
               const wxString& msg) {
  if (IsIdRangeAssert(cond, msg)) return;
  std::fprintf(stderr, "%s:%d: %s: assertion \"%s\" failed: %s\n",
               static_cast<const char*>(file.utf8_str()), line,
               static_cast<const char*>(func.utf8_str()), static_cast<const char*>(cond.utf8_str()),
               static_cast<const char*>(msg.utf8_str()));
}

}  // namespace

bool IsIdRangeAssert(const wxString& cond, const wxString& msg) {
  return (msg == wxS("invalid id value") || msg == wxS("invalid itemid value")) &&
         (cond.Contains(wxS("32767")) || cond.Contains(wxS("0x7fff")));
}

void InstallAssertHandler() {
  wxSetAssertHandler(LogAssert);
}
