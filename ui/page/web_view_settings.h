#pragma once
// The settings of every page web view, applied once right after the web view is created and
// before it loads anything.

class wxWebView;

void ApplyWebViewSettings(wxWebView* web_view);
