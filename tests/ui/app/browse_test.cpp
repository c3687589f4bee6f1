// HTML documents: the page is shown by the web view, refresh reloads what the view shows, and
// the document is never modified or saved.

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include <wx/filename.h>
#include <wx/webview.h>

#include "core/text/sjis.h"
#include "tests/ui/app/app_fixture.h"
#include "ui/browse/brows_doc.h"
#include "ui/browse/brows_view.h"
#include "ui/browse/page_module.h"

namespace {

class BrowseTest : public AppTest {
 protected:
  CBrowsView* OpenPage(const wxString& path) {
    if (!Start(path)) return nullptr;
    auto* view = wxDynamicCast(Documents()[0]->GetFirstView(), CBrowsView);
    if (view == nullptr || !WaitForText(view).has_value()) return nullptr;
    return view;
  }

  // The text of the page's body once the view has loaded it.
  static std::optional<wxString> WaitForText(CBrowsView* view) {
    wxString text;
    const bool ok = PumpUntil([&] {
      return !view->GetWebView()->IsBusy() &&
             view->GetWebView()->RunScript(wxS("document.body ? document.body.textContent : ''"),
                                           &text) &&
             !text.empty();
    });
    return ok ? std::optional<wxString>(text) : std::nullopt;
  }

  static wxString PageText(CBrowsView* view, const wxString& expected) {
    wxString text;
    PumpUntil([&] {
      return !view->GetWebView()->IsBusy() &&
             view->GetWebView()->RunScript(wxS("document.body.textContent"), &text) &&
             text == expected;
    });
    return text;
  }
};

TEST_F(BrowseTest, ShiftJisPageWithoutCharsetShowsItsJapanese) {
  const wxString path = Path(wxS("sjis.htm"));
  WriteBytes(path, "<html><body>" + quillmap::text::Sjis("関数一覧ﾃｽﾄ") + "</body></html>");
  CBrowsView* view = OpenPage(path);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(PageText(view, U("関数一覧ﾃｽﾄ")), U("関数一覧ﾃｽﾄ"));
  EXPECT_EQ(view->GetWebView()->GetCurrentURL(), wxFileName::FileNameToURL(wxFileName(path)));
}

TEST_F(BrowseTest, RefreshShowsTheChangedFile) {
  const wxString path = Path(wxS("changing.htm"));
  WriteBytes(path, "<html><body>first</body></html>");
  CBrowsView* view = OpenPage(path);
  ASSERT_NE(view, nullptr);
  ASSERT_EQ(PageText(view, wxS("first")), wxS("first"));

  WriteBytes(path, "<html><body>second</body></html>");
  wxFrame* child = static_cast<wxFrame*>(view->GetFrame());
  EXPECT_TRUE(SendCommand(child, 32780));
  EXPECT_EQ(PageText(view, wxS("second")), wxS("second"));
  EXPECT_EQ(Documents().size(), 1u);
}

TEST_F(BrowseTest, RefreshAfterFollowingALinkReloadsTheFollowedPage) {
  const wxString start = Path(wxS("start.htm"));
  const wxString other = Path(wxS("other.htm"));
  WriteBytes(start, "<html><body><a id='go' href='other.htm'>go</a></body></html>");
  WriteBytes(other, "<html><body>other</body></html>");
  CBrowsView* view = OpenPage(start);
  ASSERT_NE(view, nullptr);
  view->GetWebView()->RunScript(wxS("document.getElementById('go').click(); 1"));
  ASSERT_EQ(PageText(view, wxS("other")), wxS("other"));

  WriteBytes(other, "<html><body>other changed</body></html>");
  EXPECT_TRUE(SendCommand(static_cast<wxFrame*>(view->GetFrame()), 32780));
  EXPECT_EQ(PageText(view, wxS("other changed")), wxS("other changed"));
  // The document keeps the path it was opened with.
  EXPECT_EQ(Documents()[0]->GetFilename(), start);
}

TEST_F(BrowseTest, DocumentIsNeverModifiedAndClosesWithoutAsking) {
  const wxString path = Path(wxS("plain.htm"));
  const std::string bytes = "<html><body>plain</body></html>";
  WriteBytes(path, bytes);
  CBrowsView* view = OpenPage(path);
  ASSERT_NE(view, nullptr);
  wxDocument* doc = Documents()[0];
  EXPECT_FALSE(doc->IsModified());
  doc->Modify(true);
  EXPECT_FALSE(doc->IsModified());
  // Closing asks nothing (any dialog would fail the test) and leaves the file alone.
  EXPECT_TRUE(SendCommand(Frame(), wxID_CLOSE));
  Pump();
  EXPECT_TRUE(Documents().empty());
  wxFile file(path);
  EXPECT_EQ(file.Length(), static_cast<wxFileOffset>(bytes.size()));
}

// A TCP port on this machine that records whether anything connected to it.
class Listener {
 public:
  Listener() {
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(fd_, 16) != 0 ||
        getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      return;
    }
    port_ = ntohs(address.sin_port);
  }
  ~Listener() {
    if (fd_ >= 0) close(fd_);
  }
  int port() const { return port_; }
  // Connections made so far (each is taken and closed).
  int Connections() {
    int count = 0;
    for (int client; (client = accept(fd_, nullptr, nullptr)) >= 0; ++count) close(client);
    return count;
  }

 private:
  int fd_ = -1;
  int port_ = 0;
};

TEST_F(BrowseTest, PageScriptsDontRunAndOnlyLocalFilesLoad) {
  Listener server;
  ASSERT_NE(server.port(), 0);
  const std::string remote = "http://127.0.0.1:" + std::to_string(server.port());
  const wxString path = Path(wxS("payload.htm"));
  WriteBytes(Path(wxS("local.css")), "#probe { display: block; width: 123px; }");
  const std::string page =
      "<html><head><link rel='stylesheet' href='local.css'>"
      "<link rel='stylesheet' href='" +
      remote +
      "/style.css'>"
      "<script>document.title = 'script ran';</script></head>"
      "<body onload=\"document.body.setAttribute('data-trace', 'onload ran')\">"
      "<span id='probe'></span><img src='" +
      remote +
      "/image.png'>"
      "<iframe src='" +
      remote +
      "/frame.htm'></iframe>"
      "<object data='" +
      remote + "/object.htm'></object>payload</body></html>";
  WriteBytes(path, page);
  CBrowsView* view = OpenPage(path);
  ASSERT_NE(view, nullptr);
  wxWebView* web = view->GetWebView();
  // The local style sheet applies: local files still load.
  wxString width;
  EXPECT_TRUE(PumpUntil([&] {
    return web->RunScript(wxS("document.getElementById('probe').offsetWidth"), &width) &&
           width == wxS("123");
  })) << width;
  wxMilliSleep(500);
  Pump();
  wxString trace;
  ASSERT_TRUE(web->RunScript(wxS("document.title + '|' + "
                                 "(document.body.getAttribute('data-trace') || '')"),
                             &trace));
  EXPECT_EQ(trace, wxS("|"));
  EXPECT_EQ(server.Connections(), 0);
  // A link to the network is not followed either.
  ASSERT_TRUE(
      web->RunScript(wxS("location.href = '") + wxString::FromUTF8(remote) + wxS("/next.htm'; 1")));
  wxMilliSleep(500);
  Pump();
  EXPECT_EQ(server.Connections(), 0);
  EXPECT_EQ(web->GetCurrentURL(), wxFileName::FileNameToURL(wxFileName(path)));
}

TEST_F(BrowseTest, ExportedPageListLinksJumpToTheirBlocks) {
  const wxString page = Path(wxS("exported.htm"));
  const std::string command = std::string(QUILLMAP_CLI) + " export " + QUILLMAP_SOURCE_DIR +
                              "/examples/sample.dcm " + page.utf8_string() + " >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  CBrowsView* view = OpenPage(page);
  ASSERT_NE(view, nullptr);
  wxWebView* web = view->GetWebView();

  // The second entry of the function list links to that function's block further down.
  wxString target;
  ASSERT_TRUE(web->RunScript(wxS("var links = document.querySelectorAll('a[href^=\"#\"]');"
                                 "links[links.length > 3 ? 3 : 0].getAttribute('href')"),
                             &target));
  ASSERT_TRUE(target.StartsWith(wxS("#")));
  ASSERT_TRUE(
      web->RunScript(wxS("document.querySelector('a[href=\"") + target + wxS("\"]').click(); 1")));
  wxString hash;
  wxString scrolled;
  EXPECT_TRUE(PumpUntil([&] {
    return web->RunScript(wxS("window.location.hash"), &hash) && hash == target &&
           web->RunScript(wxS("window.scrollY > 0 ? 'yes' : 'no'"), &scrolled) &&
           scrolled == wxS("yes");
  }));
  EXPECT_EQ(hash, target);
  EXPECT_EQ(scrolled, wxS("yes"));
}

TEST_F(BrowseTest, WithoutThePageEngineAPageIsRefusedWithAMessageAndLaterOpens) {
  const wxString path = Path(wxS("later.htm"));
  WriteBytes(path, "<html><body>later</body></html>");
  ASSERT_TRUE(Start());
  const wxString missing = Path(wxS("no-such-module.so"));
  const wxString module = PageModulePath();
  ASSERT_EQ(setenv("QUILLMAP_PAGE_MODULE", missing.utf8_str(), 1), 0);
  SeenMessage seen;
  wxTEST_DIALOG(Manager()->CreateDocument(path, wxDOC_SILENT), ExpectMessage(&seen, wxID_OK));
  ASSERT_EQ(setenv("QUILLMAP_PAGE_MODULE", module.utf8_str(), 1), 0);
  Pump();
  EXPECT_TRUE(seen.text.Contains(U("読み込めません"))) << seen.text.utf8_string();
  EXPECT_TRUE(seen.text.Contains(missing)) << seen.text.utf8_string();
  EXPECT_TRUE(Documents().empty());
  EXPECT_EQ(Frame()->GetActiveChild(), nullptr);

  // A failed load is not remembered: with the module back, the same page opens.
  ASSERT_NE(Manager()->CreateDocument(path, wxDOC_SILENT), nullptr);
  ASSERT_EQ(Documents().size(), 1u);
  auto* view = wxDynamicCast(Documents()[0]->GetFirstView(), CBrowsView);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(PageText(view, wxS("later")), wxS("later"));
}

}  // namespace
