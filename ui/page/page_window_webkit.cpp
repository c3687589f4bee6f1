// quillmap-page: the editor's page engine, wx's web view on WebKitGTK, in a module of its own so
// that the editor loads WebKit only when a page window opens (ui/browse/page_window.h).

#include <memory>
#include <type_traits>

#include <wx/webview.h>

#include "ui/browse/page_window.h"
#include "ui/page/page_guard.h"
#include "ui/page/web_view_settings.h"

namespace {

class WebKitPageWindow : public PageWindow {
 public:
  WebKitPageWindow(wxWebView* web_view, const wxString& not_guarded)
      : web_view_(web_view), guard_(std::make_unique<PageGuard>(web_view, not_guarded)) {}

  wxWindow* Window() override { return web_view_; }
  wxWebView* WebView() override { return web_view_; }
  // Through the guard: a page loads only once its content filter stands.
  void Load(const wxString& url) override { guard_->Load(url); }
  void Reload() override { web_view_->Reload(wxWEBVIEW_RELOAD_NO_CACHE); }

 private:
  wxWebView* web_view_;  // owned by its parent window
  // Scripts off and local files only, for every page the window shows.
  std::unique_ptr<PageGuard> guard_;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) PageWindow* quillmap_page_create_window(
    wxWindow* parent, const wxString& not_guarded) {
  static_assert(std::is_same_v<decltype(&quillmap_page_create_window), PageWindowFactory>);
  wxWebView* web_view = wxWebView::New(parent, wxID_ANY, wxString(), wxDefaultPosition,
                                       wxDefaultSize, wxWebViewBackendWebKit);
  if (web_view == nullptr) return nullptr;
  ApplyWebViewSettings(web_view);
  return new WebKitPageWindow(web_view, not_guarded);
}
