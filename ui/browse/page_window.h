#pragma once
// PageWindow: the web view that shows an HTML page, as the editor sees it. The page engine
// (WebKitGTK, JavaScriptCore, wx's web view) is large and slow to load, and most sessions never
// open a page, so the editor does not link it: the web view lives in a module of its own
// (quillmap-page, ui/page/), loaded when the first page window opens (ui/browse/page_module.h).
// The module exports one factory function, kPageWindowFactory, of type PageWindowFactory.

class wxString;
class wxWebView;
class wxWindow;

class PageWindow {
 public:
  virtual ~PageWindow() = default;

  // The control to place in the page's frame; owned by its parent window.
  virtual wxWindow* Window() = 0;
  // The same control as wx's web view, for callers that link the web view library themselves
  // (tests and tools that run script in the page).
  virtual wxWebView* WebView() = 0;

  // Shows the page at url (a file: URL).
  virtual void Load(const wxString& url) = 0;
  // Reloads the page shown now (which may be one reached by a link), bypassing the cache.
  virtual void Reload() = 0;
};

// Creates the web view as a child of parent; nullptr when the engine can't make one. The caller
// owns the returned object (not the window).
// not_guarded is the message the window logs when it can't keep a page to local files (and so
// shows none).
using PageWindowFactory = PageWindow* (*)(wxWindow* parent, const wxString& not_guarded);

inline constexpr char kPageWindowFactory[] = "quillmap_page_create_window";
