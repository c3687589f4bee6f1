#include "ui/browse/page_module.h"

#include <dlfcn.h>

#include <cstdlib>

#include <wx/filename.h>
#include <wx/stdpaths.h>

namespace {

constexpr char kModuleFile[] = "quillmap-page.so";

struct LoadedModule {
  wxString path;
  PageWindowFactory factory = nullptr;
};

}  // namespace

wxString PageModulePath() {
  if (const char* path = std::getenv("QUILLMAP_PAGE_MODULE"); path != nullptr && *path != '\0') {
    return wxString::FromUTF8(path);
  }
  wxFileName module(wxStandardPaths::Get().GetExecutablePath());
  module.RemoveLastDir();
  module.AppendDir(wxS("lib"));
  module.AppendDir(wxS("quillmap"));
  module.SetFullName(wxString::FromUTF8(kModuleFile));
  return module.GetFullPath();
}

PageWindowFactory LoadPageWindowFactory(wxString* error) {
  // One module per path; a module that failed to load is tried again next time.
  static LoadedModule loaded;
  const wxString path = PageModulePath();
  if (loaded.factory != nullptr && loaded.path == path) return loaded.factory;

  // dlopen itself, not wxDynamicLibrary: the handle is never closed (the engine registers
  // classes and threads that outlive any window), and the loader's own message is wanted.
  void* handle = ::dlopen(path.utf8_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    if (error != nullptr) *error = wxString::FromUTF8(::dlerror());
    return nullptr;
  }
  auto factory = reinterpret_cast<PageWindowFactory>(::dlsym(handle, kPageWindowFactory));
  if (factory == nullptr) {
    if (error != nullptr)
      *error = path + wxS(": ") + wxString::FromUTF8(kPageWindowFactory) + wxS(" がありません");
    return nullptr;
  }
  loaded = {path, factory};
  return factory;
}
