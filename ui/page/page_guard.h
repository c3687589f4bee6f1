#pragma once
// Makes a web view a viewer of local files. Pages shown in the program's page windows may come
// from documents someone else wrote, and their texts reach the page as markup: the page's own
// scripts don't run (script elements, event handlers, javascript: links), and nothing that is not
// a local file loads, neither a page nor what a page brings with it (images, styles, fonts,
// frames). The bytes of the page are left as they are; only what the view does with them is
// limited.

#include <wx/string.h>

class wxWebView;
typedef struct _GCancellable GCancellable;
typedef struct _GObject GObject;
typedef struct _GAsyncResult GAsyncResult;

class PageGuard {
 public:
  // Turns off the page's scripts at once and starts putting the content filter in place (WebKit
  // compiles it in the background).
  // not_guarded is the message logged when the filter can't be made (the module has no string
  // table of its own).
  PageGuard(wxWebView* view, const wxString& not_guarded);
  ~PageGuard();  // a filter still being compiled is given up
  PageGuard(const PageGuard&) = delete;
  PageGuard& operator=(const PageGuard&) = delete;

  // Loads url as soon as the filter stands (at once when it does). When the filter can't be
  // made, nothing is loaded and the reason is logged.
  void Load(const wxString& url);

 private:
  // Outlives the guard until WebKit's answer came: the answer finds the guard through it, or
  // nothing when the guard is gone.
  struct Waiting {
    PageGuard* guard;
  };
  static void FilterSaved(GObject* store, GAsyncResult* result, void* waiting);

  wxWebView* view_;
  GCancellable* cancellable_;
  Waiting* waiting_ = nullptr;
  bool ready_ = false;
  bool failed_ = false;
  wxString pending_;
  wxString not_guarded_;
};
