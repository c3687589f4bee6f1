#include "ui/page/page_guard.h"

#include <webkit2/webkit2.h>
#include <wx/log.h>
#include <wx/webview.h>

#include <string>

namespace {

// Every load is blocked, then loads of local files are let through again.
constexpr char kLocalFilesOnly[] =
    R"([{"trigger": {"url-filter": ".*"}, "action": {"type": "block"}},)"
    R"( {"trigger": {"url-filter": "^file:"}, "action": {"type": "ignore-previous-rules"}}])";
constexpr char kFilterName[] = "quillmap-local-files-only";

WebKitWebView* Native(wxWebView* view) {
  return view == nullptr ? nullptr : static_cast<WebKitWebView*>(view->GetNativeBackend());
}

}  // namespace

PageGuard::PageGuard(wxWebView* view, const wxString& not_guarded)
    : view_(view), cancellable_(g_cancellable_new()), not_guarded_(not_guarded) {
  WebKitWebView* native = Native(view_);
  if (native == nullptr) {
    failed_ = true;
    return;
  }
  // A link or a script of the program's own calls can't take the window to the network: such a
  // navigation doesn't even start (the filter would only stop its load).
  view_->Bind(wxEVT_WEBVIEW_NAVIGATING, [](wxWebViewEvent& event) {
    const wxString url = event.GetURL();
    if (!url.StartsWith(wxS("file:")) && !url.StartsWith(wxS("about:"))) {
      event.Veto();
      return;
    }
    event.Skip();
  });
  WebKitSettings* settings = webkit_web_view_get_settings(native);
  // The page's scripts are off; the program's own calls (RunScript) still work.
  webkit_settings_set_enable_javascript_markup(settings, FALSE);
  webkit_settings_set_enable_html5_local_storage(settings, FALSE);
  webkit_settings_set_enable_html5_database(settings, FALSE);
  // Compiled filters are kept with the program's cached files.
  const std::string folder = std::string(g_get_user_cache_dir()) + "/quillmap/content-filters";
  WebKitUserContentFilterStore* store = webkit_user_content_filter_store_new(folder.c_str());
  GBytes* source = g_bytes_new_static(kLocalFilesOnly, sizeof kLocalFilesOnly - 1);
  waiting_ = new Waiting{this};
  webkit_user_content_filter_store_save(store, kFilterName, source, cancellable_, &FilterSaved,
                                        waiting_);
  g_bytes_unref(source);
  g_object_unref(store);
}

PageGuard::~PageGuard() {
  // The answer still comes (cancelled, or done meanwhile) and must not reach this object.
  if (waiting_ != nullptr) {
    waiting_->guard = nullptr;
    g_cancellable_cancel(cancellable_);
  }
  g_object_unref(cancellable_);
}

void PageGuard::FilterSaved(GObject* store, GAsyncResult* result, void* waiting) {
  GError* error = nullptr;
  WebKitUserContentFilter* filter = webkit_user_content_filter_store_save_finish(
      WEBKIT_USER_CONTENT_FILTER_STORE(store), result, &error);
  PageGuard* guard = static_cast<Waiting*>(waiting)->guard;
  delete static_cast<Waiting*>(waiting);
  if (guard != nullptr) guard->waiting_ = nullptr;
  if (guard == nullptr || filter == nullptr) {
    if (guard != nullptr) {
      guard->failed_ = true;
      wxLogError("%s (%s)", guard->not_guarded_,
                 wxString::FromUTF8(error != nullptr ? error->message : ""));
    }
    if (filter != nullptr) webkit_user_content_filter_unref(filter);
    if (error != nullptr) g_error_free(error);
    return;
  }
  webkit_user_content_manager_add_filter(
      webkit_web_view_get_user_content_manager(Native(guard->view_)), filter);
  webkit_user_content_filter_unref(filter);
  guard->ready_ = true;
  if (!guard->pending_.empty()) {
    guard->view_->LoadURL(guard->pending_);
    guard->pending_.clear();
  }
}

void PageGuard::Load(const wxString& url) {
  if (failed_) return;
  if (!ready_) {
    pending_ = url;
    return;
  }
  view_->LoadURL(url);
}
