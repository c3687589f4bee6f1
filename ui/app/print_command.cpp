#include "ui/app/print_command.h"

#include <gtk/gtk.h>
#include <gtk/gtkunixprint.h>

#include <memory>
#include <string>

#include <wx/docview.h>
#include <wx/log.h>
#include <wx/print.h>

#include "ui/res/ids.h"
#include "ui/res/string_table.h"
#include "ui/widgets/message_box.h"

namespace {

// What the printer search has found so far. GTK may go on listing printers after the search
// has given up waiting; the state lives until GTK is done with it.
struct PrinterSearch {
  std::string wanted;
  std::string found;  // the wanted printer, or the default one
  std::string first;  // the first printer, should no default turn up
  bool done = false;
};
using SearchHandle = std::shared_ptr<PrinterSearch>;

gboolean OnPrinter(GtkPrinter* printer, gpointer data) {
  PrinterSearch& search = **static_cast<SearchHandle*>(data);
  // GTK can't send a job to a printer that writes a file without asking where.
  if (gtk_printer_is_virtual(printer)) return FALSE;
  const std::string name = gtk_printer_get_name(printer);
  if (!search.wanted.empty()) {
    if (name != search.wanted) return FALSE;
    search.found = name;
    return TRUE;  // enough: stop listing
  }
  if (gtk_printer_is_default(printer)) {
    search.found = name;
    return TRUE;
  }
  if (search.first.empty()) search.first = name;
  return FALSE;
}

void OnSearchDone(gpointer data) {
  auto* handle = static_cast<SearchHandle*>(data);
  (*handle)->done = true;
  delete handle;
}

void ShowPrintMessage(int text_id, const wxString& name) {
  ShowMessageBox(nullptr, LoadWxString(text_id, name), LoadWxString(ids::kStrAppName),
                 wxOK | wxICON_EXCLAMATION);
}

}  // namespace

wxString FindPrinter(const wxString& wanted, int timeout_ms) {
  auto search = std::make_shared<PrinterSearch>();
  search->wanted = wanted.utf8_string();
  // Listed without waiting: a print service that never answers would hold GTK's own wait
  // forever.
  gtk_enumerate_printers(OnPrinter, new SearchHandle(search), OnSearchDone, FALSE);
  const gint64 end = g_get_monotonic_time() + static_cast<gint64>(timeout_ms) * 1000;
  while (!search->done && search->found.empty() && g_get_monotonic_time() < end) {
    if (!g_main_context_iteration(nullptr, FALSE)) g_usleep(10 * 1000);
  }
  const std::string& name = search->found.empty() ? search->first : search->found;
  if (!search->wanted.empty() && name != search->wanted) return {};
  return wxString::FromUTF8(name);
}

bool PrintViewDirect(wxView* view, const wxString& printer_name, int timeout_ms) {
  wxDocument* doc = view != nullptr ? view->GetDocument() : nullptr;
  if (doc == nullptr) return false;
  const wxString printer = FindPrinter(printer_name, timeout_ms);
  if (printer.empty()) {
    if (printer_name.empty()) {
      ShowPrintMessage(ids::kStrNoPrinter, wxString());
    } else {
      ShowPrintMessage(ids::kStrNoSuchPrinter, printer_name);
    }
    return false;
  }

  // The settings of File > Printer Setup, on the printer found.
  wxPrintData print_data;
  if (wxDocManager* manager = doc->GetDocumentManager()) {
    print_data = manager->GetPageSetupDialogData().GetPrintData();
  }
  print_data.SetPrinterName(printer);
  wxPrintDialogData dialog_data(print_data);
  wxPrinter job(&dialog_data);
  std::unique_ptr<wxPrintout> printout(view->OnCreatePrintout());
  bool printed = false;
  {
    // wx would report a failure in English; the message below says it in Japanese.
    const wxLogNull quiet;
    printed = printout != nullptr && job.Print(view->GetFrame(), printout.get(), false) &&
              wxPrinter::GetLastError() == wxPRINTER_NO_ERROR;
  }
  if (!printed) ShowPrintMessage(ids::kStrCannotPrint, doc->GetUserReadableName());
  return printed;
}
