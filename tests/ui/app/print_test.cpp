// The print switches of the command line: the document is printed on the default or a named
// printer without a dialog, or, where no such printer can be reached, the user is told and the
// program ends with a failure status. The tests' desktop has no print service: GTK lists only
// its print-to-file printer, which can't take a job without a dialog.

#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <sys/wait.h>

#include "tests/ui/app/app_fixture.h"

namespace {

class PrintTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    // Only GTK's own file backend: no print service to wait for.
    g_object_get(gtk_settings_get_default(), "gtk-print-backends", &backends_, nullptr);
    g_object_set(gtk_settings_get_default(), "gtk-print-backends", "file", nullptr);
  }
  void TearDown() override {
    g_object_set(gtk_settings_get_default(), "gtk-print-backends", backends_, nullptr);
    g_free(backends_);
    AppTest::TearDown();
  }

  // Runs a print command line that must end with one message; returns its exit status.
  int PrintExpectingMessage(const wxString& file, const wxString& printer, SeenMessage* seen) {
    int status = -1;
    wxTEST_DIALOG(status = wxGetApp().PrintFromCommandLine(file, printer),
                  ExpectMessage(seen, wxID_OK));
    return status;
  }

  void ExpectNothingLeft() {
    EXPECT_EQ(Frame(), nullptr);
    EXPECT_EQ(Manager(), nullptr);
    Pump();
    EXPECT_TRUE(wxTopLevelWindows.IsEmpty());
  }

 private:
  gchar* backends_ = nullptr;
};

TEST_F(PrintTest, WithoutAPrinterTheUserIsToldAndTheStatusFails) {
  const wxString path = Path(wxS("print.dcm"));
  WriteSpecDocument(path, {"Alpha"});
  SeenMessage seen;
  EXPECT_EQ(PrintExpectingMessage(path, wxString(), &seen), 1);
  EXPECT_EQ(seen.text, U("印刷できるﾌﾟﾘﾝﾀがありません。"));
  EXPECT_EQ(seen.caption, U("Quillmap"));
  ExpectNothingLeft();
}

TEST_F(PrintTest, NamedPrinterMustExistAndTakeJobs) {
  const wxString path = Path(wxS("print.dcm"));
  WriteSpecDocument(path, {"Alpha"});
  // GTK's print-to-file printer exists but asks where to write: it can't print from here.
  for (const wxString& printer : {wxString(wxS("NoSuchPrinter")), wxString(wxS("Print to File"))}) {
    SCOPED_TRACE(printer.utf8_string());
    SeenMessage seen;
    EXPECT_EQ(PrintExpectingMessage(path, printer, &seen), 1);
    EXPECT_EQ(seen.text, U("ﾌﾟﾘﾝﾀ '") + printer + U("' が見つかりません。"));
    ExpectNothingLeft();
  }
}

TEST_F(PrintTest, FileThatCantBeOpenedIsReportedOnce) {
  const wxString path = Path(wxS("missing.dcm"));
  SeenMessage seen;
  EXPECT_EQ(PrintExpectingMessage(path, wxString(), &seen), 1);
  EXPECT_EQ(seen.text, path + U(" を開くことができません。\nﾌｧｲﾙが見つかりません。"));
  ExpectNothingLeft();
}

std::string ReadWhole(const std::string& path) {
  std::string text;
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
    std::fclose(file);
  }
  return text;
}

// The built editor, run with arguments on this display; its exit status and what it wrote. A
// run that should end by itself and shows a window instead is stopped after two minutes
// (status 124), so that the test fails instead of waiting forever.
struct EditorRun {
  int status = -1;
  std::string out;
  std::string err;
};

EditorRun RunEditor(const std::string& args, const TempDir& dir) {
  const std::string out = dir.Path(wxS("out")).utf8_string();
  const std::string err = dir.Path(wxS("err")).utf8_string();
  const std::string command = std::string("timeout -k 5 120 '") + QUILLMAP_EDITOR + "' " + args +
                              " >'" + out + "' 2>'" + err + "'";
  const int raw = std::system(command.c_str());
  EditorRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadWhole(out);
  run.err = ReadWhole(err);
  return run;
}

// A print service of the test's own: a CUPS scheduler on a socket in a temporary folder, with
// printers "Dummy" (the default) and "Second" whose jobs land in <folder>/<printer>.prn.
class DummyPrintService {
 public:
  static constexpr char kCupsd[] = "/usr/sbin/cupsd";

  explicit DummyPrintService(const TempDir& dir) : dir_(dir) {}
  ~DummyPrintService() {
    if (!pid_.empty()) std::system(("kill " + pid_ + " 2>/dev/null").c_str());
  }

  bool Start() {
    const std::string root = Path("cups");
    const std::string bin = root + "/bin";
    if (std::system(("mkdir -p " + root + "/state " + root + "/cache " + root + "/spool " + root +
                     "/tmp " + root + "/log " + bin +
                     "/backend && for d in /usr/lib/cups/*; do "
                     "[ \"$(basename \"$d\")\" = backend ] || ln -s \"$d\" " +
                     bin + "/; done")
                        .c_str()) != 0) {
      return false;
    }
    Write(root + "/cupsd.conf", "Listen " + Socket() +
                                    "\nLogLevel warn\nBrowsing Off\nWebInterface No\n"
                                    "DefaultAuthType None\n<Policy default>\n<Limit All>\n"
                                    "Order deny,allow\nAllow all\n</Limit>\n</Policy>\n");
    Write(root + "/cups-files.conf",
          "ServerRoot " + root + "\nStateDir " + root + "/state\nCacheDir " + root +
              "/cache\nRequestRoot " + root + "/spool\nTempDir " + root + "/tmp\nErrorLog " + root +
              "/log/error_log\nAccessLog " + root + "/log/access_log\nPageLog " + root +
              "/log/page_log\nServerBin " + bin + "\nDataDir /usr/share/cups\n");
    // The device: writes the job (the file named in the sixth argument, or the input) to the
    // folder under the printer's name.
    Write(bin + "/backend/dummy",
          "#!/bin/sh\nif [ $# -eq 0 ]; then echo 'direct dummy \"Dummy\" \"Dummy\"'; exit 0; fi\n"
          "if [ -n \"$6\" ]; then cat \"$6\"; else cat; fi > '" +
              dir_.Path(wxString()).utf8_string() + "'\"$PRINTER.prn\"\n");
    const std::string pid_file = root + "/pid";
    if (std::system(("chmod 700 " + bin + "/backend/dummy && " + kCupsd + " -f -c " + root +
                     "/cupsd.conf -s " + root + "/cups-files.conf >/dev/null 2>&1 & echo $! > " +
                     pid_file)
                        .c_str()) != 0) {
      return false;
    }
    pid_ = ReadWhole(pid_file);
    while (!pid_.empty() && pid_.back() == '\n') pid_.pop_back();
    const std::string admin = "lpadmin -h " + Socket();
    for (int i = 0; i < 100 && !wxFileName::Exists(wxString::FromUTF8(Socket())); ++i) {
      wxMilliSleep(50);
    }
    return std::system((admin + " -p Dummy -E -v dummy:/ 2>/dev/null && " + admin +
                        " -p Second -E -v dummy:/ 2>/dev/null && " + admin + " -d Dummy")
                           .c_str()) == 0;
  }

  std::string Socket() const { return Path("cups/cups.sock"); }
  std::string Path(const char* name) const {
    return dir_.Path(wxString::FromUTF8(name)).utf8_string();
  }

  // What the printer received, once it has (or empty after thirty seconds: the scheduler's
  // filters may be slow on a busy machine).
  std::string Received(const char* printer) const {
    const std::string path = Path((std::string(printer) + ".prn").c_str());
    std::string bytes;
    PumpUntil([&] { return !(bytes = ReadWhole(path)).empty(); }, 30000);
    return bytes;
  }

  static void Write(const std::string& path, const std::string& text) {
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
      std::fwrite(text.data(), 1, text.size(), file);
      std::fclose(file);
    }
  }

 private:
  const TempDir& dir_;
  std::string pid_;
};

TEST(CommandLine, PrintSwitchesPrintTheDocumentsPagesAndEnd) {
  if (!wxFileName::FileExists(wxS("/usr/sbin/cupsd"))) {
    GTEST_SKIP() << "no CUPS scheduler (cups-daemon) to run a dummy printer";
  }
  TempDir dir;
  DummyPrintService service(dir);
  ASSERT_TRUE(service.Start());
  const wxString document = dir.Path(wxS("print.dcm"));
  WriteSpecDocument(document, {"Alpha", "Beta"});
  // The editor on this display, with the service as the desktop's print service; should it
  // show a message nobody answers, the time limit ends it with a status that fails the test.
  const std::string env = "CUPS_SERVER='" + service.Socket() + "' HOME='" +
                          dir.Root().utf8_string() + "' XDG_CONFIG_HOME='" +
                          dir.Root().utf8_string() + "/config' timeout 60 ";
  // What the editor wrote to stderr, shown when a run fails.
  const std::string errors = dir.Path(wxS("print.err")).utf8_string();
  auto print = [&](const std::string& flag, const std::string& printer = std::string()) {
    const std::string command = env + "'" + QUILLMAP_EDITOR + "' " + flag + " '" +
                                document.utf8_string() + "' " + printer + " >/dev/null 2>'" +
                                errors + "'";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  };

  // The form's printout has one empty page: the job is a one-page PDF.
  EXPECT_EQ(print("/p"), 0) << ReadWhole(errors);
  const std::string job = service.Received("Dummy");
  EXPECT_EQ(job.rfind("%PDF", 0), 0u) << job.substr(0, 20);
  EXPECT_NE(job.find("/Count 1"), std::string::npos);
  EXPECT_EQ(ReadWhole(service.Path("Second.prn")), "");

  EXPECT_EQ(print("-pt"), 2);  // no printer named
  EXPECT_EQ(print("-PT", "Second"), 0) << ReadWhole(errors);
  EXPECT_EQ(service.Received("Second").rfind("%PDF", 0), 0u);
}

TEST(CommandLine, SwitchesThatMakeNoSenseEndWithUsage) {
  TempDir dir;
  const std::string usage = "usage: quillmap [FILE...]\n";
  for (const char* args : {"/p", "-pt a.dcm", "/p a.dcm b.dcm", "--verbose"}) {
    const EditorRun run = RunEditor(args, dir);
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_EQ(run.err.rfind(usage, 0), 0u) << args << ": " << run.err;
    EXPECT_EQ(run.out, "") << args;
  }
  const EditorRun help = RunEditor("--help", dir);
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("quillmap /pt FILE PRINTER"), std::string::npos) << help.out;
}

}  // namespace
