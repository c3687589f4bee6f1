#include "ui/page/web_view_settings.h"

#include <webkit2/webkit2.h>
#include <wx/webview.h>

void ApplyWebViewSettings(wxWebView* web_view) {
  auto* native = static_cast<WebKitWebView*>(web_view->GetNativeBackend());
  if (native == nullptr) return;
  WebKitSettings* settings = webkit_web_view_get_settings(native);
  // Pages that declare no charset are the program's Shift-JIS pages more often than not.
  webkit_settings_set_default_charset(settings, "shift_jis");
}
