// The editor on large documents, in process: opening a document until its form is filled and
// idle, clicking functions in the list (the shown one is stored, the clicked one shown), finding
// a word in all texts, opening the return-type list, storing a field of STEPS functions then
// undoing and redoing every store (the time of each step and the memory the steps hold), and
// saving. Runs under a display (scripts/bench.sh starts it under
// xvfb-run).
//
// Usage: bench-editor DOCUMENT.dcm [CLICKS [STEPS]]
// Prints one line per step: what, wall time, and the peak memory of the process so far.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/docmdi.h>
#include <wx/docview.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/listctrl.h>

#include "ui/dialogs/find_dlg.h"
#include "ui/doc/edit_command.h"
#include "ui/doc/func_doc.h"
#include "ui/res/ids.h"
#include "ui/view/func_view.h"
#include "ui/view/view_find.h"
#include "ui/widgets/sjis_combo_box.h"
#include "ui/widgets/sjis_field.h"

class BenchApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

long PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss * 1024 / 1000000;
}

void Pump() {
  for (int i = 0; i < 3; ++i) {
    wxTheApp->ProcessPendingEvents();
    wxYield();
    wxTheApp->ProcessIdle();
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void Report(const char* step, double seconds) {
  std::printf("%-34s %8.3f s   peak %5ld MB\n", step, seconds, PeakMegabytes());
  std::fflush(stdout);
}

// Times one step of each kind per entry: the work and the repaint that follows.
void ReportSteps(const char* what, const std::vector<double>& seconds) {
  if (seconds.empty()) return;
  const std::string median = std::string(what) + " (median)";
  const std::string slowest = std::string(what) + " (slowest)";
  Report(median.c_str(), Median(seconds));
  Report(slowest.c_str(), *std::max_element(seconds.begin(), seconds.end()));
}

// The bytes the document's steps hold, with their commands.
std::size_t HeldBytes(CFuncDoc* doc) {
  std::size_t held = 0;
  const wxList& commands = doc->GetCommandProcessor()->GetCommands();
  for (wxList::compatibility_iterator node = commands.GetFirst(); node; node = node->GetNext()) {
    held += static_cast<CEditCommand*>(node->GetData())->step().HeldBytes() + sizeof(CEditCommand);
  }
  return held;
}

// Stores the heading of steps functions spread over the document, one step each, then undoes
// and redoes all of them.
void BenchSteps(CFuncDoc* doc, CFuncView* view, long count, int steps) {
  std::vector<double> stores;
  std::vector<double> undos;
  std::vector<double> redos;
  for (int i = 0; i < steps; ++i) {
    view->ShowFunction(static_cast<int>(count * i / steps));
    Pump();
    view->HeadingEdit()->SetValue(wxString::Format("bench heading %d", i));
    const Clock::time_point start = Clock::now();
    view->StoreFunction();
    Pump();
    stores.push_back(Seconds(start));
  }
  std::size_t held = HeldBytes(doc);
  for (std::vector<double>* times : {&undos, &redos}) {
    for (int i = 0; i < steps; ++i) {
      const Clock::time_point start = Clock::now();
      if (times == &undos) {
        doc->UndoStep();
      } else {
        doc->RedoStep();
      }
      Pump();
      times->push_back(Seconds(start));
    }
  }
  std::printf("%d steps hold %.2f MB (done); ", steps, held / 1e6);
  for (int i = 0; i < steps; ++i) doc->UndoStep();
  held = HeldBytes(doc);
  std::printf("%.2f MB (all undone)\n", held / 1e6);
  ReportSteps("store a field", stores);
  ReportSteps("undo", undos);
  ReportSteps("redo", redos);
}

int Run(const std::string& path, int clicks, int steps) {
  auto* manager = new wxDocManager;
  new wxDocTemplate(manager, "Quillmap", "*.dcm", "", "dcm", "QuillmapDocument",
                    "Quillmap Document", wxCLASSINFO(CFuncDoc), wxCLASSINFO(CFuncView));
  auto* frame = new wxDocMDIParentFrame(manager, nullptr, wxID_ANY, "Quillmap", wxPoint(0, 0),
                                        wxSize(1000, 800));
  wxTheApp->SetTopWindow(frame);
  frame->Show();
  Pump();

  Clock::time_point start = Clock::now();
  auto* doc =
      wxDynamicCast(manager->CreateDocument(wxString::FromUTF8(path), wxDOC_SILENT), CFuncDoc);
  Pump();
  if (doc == nullptr) {
    std::fprintf(stderr, "bench-editor: can't open %s\n", path.c_str());
    return 1;
  }
  Report("open until the form is idle", Seconds(start));
  auto* view = dynamic_cast<CFuncView*>(doc->GetFirstView());
  wxListCtrl* list = view->FunctionList();
  const long count = list->GetItemCount();

  // Clicks spread over the list, each storing the function shown before. The first click also
  // paints the enabled fields for the first time (fonts, styles: the same for any document), so
  // it is reported on its own. "shown" is the work of the click itself (store, then show); the
  // total adds the repaint that follows.
  std::vector<double> totals;
  std::vector<double> handled;
  // A document of one function has nothing else to click.
  const int rounds = count > 1 ? clicks + 1 : std::min(count, 1L);
  for (int i = 0; i < rounds; ++i) {
    const long item = i == 0 ? count / 2 : (count - 1) * (i - 1) / (clicks > 1 ? clicks - 1 : 1);
    start = Clock::now();
    list->SetItemState(item, wxLIST_STATE_FOCUSED | wxLIST_STATE_SELECTED,
                       wxLIST_STATE_FOCUSED | wxLIST_STATE_SELECTED);
    const double shown = Seconds(start);
    Pump();
    const double seconds = Seconds(start);
    if (std::getenv("QUILLMAP_BENCH_VERBOSE")) {
      std::printf("click %ld: %.3f s (shown after %.3f s)\n", item, seconds, shown);
    }
    if (i == 0) {
      Report("first click (first paint)", seconds);
      continue;
    }
    totals.push_back(seconds);
    handled.push_back(shown);
  }
  if (!totals.empty()) {
    Report("click: shown (median)", Median(handled));
    Report("click: shown (slowest)", *std::max_element(handled.begin(), handled.end()));
    Report("click: shown and painted (median)", Median(totals));
    Report("click: shown and painted (slowest)", *std::max_element(totals.begin(), totals.end()));
  }

  // Find in all texts, from the first function, a word that only the last function holds (the
  // benchmark document's explanation "Returns the Nth ..."): from the F3 command until the
  // function is shown and painted. A document of one function (the long-text documents) holds
  // no such word: the find would end in its "not found" message.
  if (count > 1) {
    list->SetItemState(0, wxLIST_STATE_FOCUSED | wxLIST_STATE_SELECTED,
                       wxLIST_STATE_FOCUSED | wxLIST_STATE_SELECTED);
    Pump();
    view->Find()->OpenWindow();
    CFindDlg* window = view->Find()->Window();
    window->Entry()->ChangeValue(wxString::Format("%ldth", count - 1));
    window->Hide();
    Pump();
    start = Clock::now();
    wxCommandEvent find_next(wxEVT_MENU, ids::kFindNext);
    view->ProcessEvent(find_next);
    Pump();
    const bool found = list->GetItemState(count - 1, wxLIST_STATE_SELECTED) != 0;
    Report(found ? "find in all texts (last function)" : "find in all texts (NOT FOUND)",
           Seconds(start));
  }
  // The return-type list (every return type and structure of the document) opened with a
  // function shown, until it is drawn.
  SjisComboBox* types = view->ReturnTypeCombo();
  start = Clock::now();
  types->Popup();
  Pump();
  Report("return-type list: open", Seconds(start));
  types->Dismiss();
  Pump();
  if (count > 1 && steps > 0) BenchSteps(doc, view, count, steps);

  const std::string saved = path + ".bench-saved.dcm";
  start = Clock::now();
  const bool ok = doc->OnSaveDocument(wxString::FromUTF8(saved));
  Pump();
  Report(ok ? "save as" : "save as (failed)", Seconds(start));
  std::error_code ignored;
  std::filesystem::remove(saved, ignored);

  start = Clock::now();
  doc->Modify(false);
  manager->CloseDocuments(true);
  Pump();
  Report("close", Seconds(start));
  frame->Destroy();
  Pump();
  delete manager;
  return 0;
}

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: bench-editor DOCUMENT.dcm [CLICKS [STEPS]]\n", stderr);
    return 2;
  }
  const std::string path = argv[1];
  const int clicks = argc > 2 ? std::atoi(argv[2]) : 10;
  const int steps = argc > 3 ? std::atoi(argv[3]) : 1000;
  int one = 1;
  if (!wxEntryStart(one, argv)) return 2;
  wxTheApp->CallOnInit();
  int result = 0;
  {
    wxEventLoop loop;
    wxEventLoopActivator active(&loop);
    result = Run(path, clicks, steps);
  }
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}
