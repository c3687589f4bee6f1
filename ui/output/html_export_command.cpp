#include "ui/output/html_export_command.h"

#include <string>

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

#include "core/model/file.h"
#include "core/model/file_error_text.h"
#include "core/model/file_identity.h"
#include "ui/dialogs/html_format_dlg.h"
#include "ui/res/ids.h"
#include "ui/res/string_table.h"
#include "ui/widgets/file_path.h"
#include "ui/widgets/message_box.h"

namespace {

constexpr char kFilter[] = "htmﾌｧｲﾙ(*.htm)|*.htm|htmlﾌｧｲﾙ(*.html)|*.html|すべてのﾌｧｲﾙ(*.*)|*.*";
constexpr char kInitialName[] = "*.htm";

// The extension given to a name typed without one: that of the chosen filter.
wxString ExtensionForFilter(int filter_index) {
  return filter_index == 1 ? wxS("html") : wxS("htm");
}

// The path the dialog was closed with. The desktop's dialog reports it whole; one answered
// before it was shown (through a modal dialog hook) knows only its folder and name.
wxString ChosenPath(const wxFileDialog& dialog) {
  const wxString path = dialog.GetPath();
  if (!path.empty() || dialog.GetFilename().empty()) return path;
  return wxFileName(dialog.GetDirectory(), dialog.GetFilename()).GetFullPath();
}

}  // namespace

std::optional<wxString> AskExportPath(const wxString& folder) {
  wxString dir = folder;
  wxString initial = wxString::FromUTF8(kInitialName);
  while (true) {
    wxFileDialog dialog(nullptr, LoadWxString(ids::kHtmlExport), dir, initial,
                        ResourceText(kFilter), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    wxFileName name(ChosenPath(dialog));
    if (name.GetFullName().empty()) return std::nullopt;
    // A pattern is not a file name: ask again, as the dialog would for a folder.
    if (name.GetFullName().find_first_of(wxS("*?")) != wxString::npos) {
      dir = name.GetPath();
      initial = name.GetFullName();
      continue;
    }
    if (!name.GetExt().empty()) return name.GetFullPath();
    // The desktop's dialog asked about the bare name only; the completed one may exist too.
    name.SetExt(ExtensionForFilter(dialog.GetFilterIndex()));
    if (name.Exists() &&
        ShowMessageBox(nullptr, LoadWxString(ids::kStrExportOverwrite, name.GetFullName()),
                       LoadWxString(ids::kHtmlExport),
                       wxYES_NO | wxNO_DEFAULT | wxICON_EXCLAMATION) != wxID_YES) {
      dir = name.GetPath();
      initial = name.GetFullName();
      continue;
    }
    return name.GetFullPath();
  }
}

bool WriteHtmlPage(const quillmap::SpecStore& store, const quillmap::AttributeFlags& flags,
                   const wxString& path) {
  try {
    quillmap::ExportHtmlFile(store, flags, FilePathBytes(path));
  } catch (const quillmap::FileError& error) {
    // The reason follows on a line of its own, in Japanese, when it is a common one.
    wxString text = LoadWxString(ids::kStrExportFailed, path);
    const wxString reason = ResourceText(quillmap::FileErrorPhrase(error.error_number()));
    if (!reason.empty()) text += wxS("\n") + reason;
    ShowMessageBox(nullptr, text, LoadWxString(ids::kStrAppName), wxOK | wxICON_EXCLAMATION);
    return false;
  }
  return true;
}

std::optional<wxString> RunHtmlExport(const quillmap::SpecStore& store,
                                      const wxString& document_path,
                                      const std::vector<wxString>& other_documents) {
  const wxString folder = document_path.empty() ? wxString() : wxFileName(document_path).GetPath();
  const std::optional<wxString> path = AskExportPath(folder);
  if (!path) return std::nullopt;
  // The page would replace the document it was made from, or another one being edited.
  const std::string target = FilePathBytes(*path);
  bool onto_document =
      !document_path.empty() && quillmap::SameFile(target, FilePathBytes(document_path));
  for (const wxString& other : other_documents) {
    onto_document =
        onto_document || (!other.empty() && quillmap::SameFile(target, FilePathBytes(other)));
  }
  if (onto_document) {
    ShowMessageBox(nullptr, LoadWxString(ids::kStrExportOntoDocument, *path),
                   LoadWxString(ids::kStrAppName), wxOK | wxICON_STOP);
    return std::nullopt;
  }
  CHtmlFormatDlg options(nullptr);
  if (options.ShowModal() != wxID_OK) return std::nullopt;
  quillmap::AttributeFlags flags{};
  for (unsigned slot = 0; slot < flags.size(); ++slot) {
    flags[slot] = options.GetAttributeFlag(slot);
  }
  if (!WriteHtmlPage(store, flags, *path)) return std::nullopt;
  return path;
}
