// The About box.

#include <wx/button.h>
#include <wx/stattext.h>

#include "tests/ui/app/app_fixture.h"
#include "ui/app/about_dlg.h"

namespace {

struct SeenAbout {
  wxString caption;
  wxString version;
  bool has_ok = false;
  int id = 0;
};

class ExpectAbout : public wxExpectModalBase<CAboutDlg, ExpectAbout> {
 public:
  explicit ExpectAbout(SeenAbout* seen) : seen_(seen) {}

 protected:
  int OnInvoked(CAboutDlg* dialog) const override {
    seen_->caption = dialog->GetTitle();
    seen_->id = dialog->GetId();
    if (auto* text = wxDynamicCast(dialog->FindWindow(1085), wxStaticText)) {
      seen_->version = text->GetLabel();
    }
    seen_->has_ok = wxDynamicCast(dialog->FindWindow(wxID_OK), wxButton) != nullptr;
    return wxID_OK;
  }

 private:
  SeenAbout* seen_;
};

TEST_F(AppTest, AboutBoxShowsCaptionAndVersion) {
  ASSERT_TRUE(Start());
  SeenAbout seen;
  wxTEST_DIALOG(SendCommand(Frame(), wxID_ABOUT), ExpectAbout(&seen));
  EXPECT_EQ(seen.caption, U("Quillmapのﾊﾞｰｼﾞｮﾝ情報"));
  EXPECT_EQ(seen.version, U("Quillmap Ver.0.0.5.0"));
  EXPECT_EQ(seen.id, 100);
  EXPECT_TRUE(seen.has_ok);
}

}  // namespace
