// The application icon: drawn from the compiled-in SVG at every size, set on the main window,
// and shown in the About box.

#include <wx/image.h>
#include <wx/statbmp.h>

#include "tests/ui/app/app_fixture.h"
#include "ui/app/about_dlg.h"
#include "ui/res/art.h"

namespace {

// Share of the pixels that are drawn (alpha above half).
double DrawnShare(const wxImage& image) {
  if (!image.HasAlpha()) return 1.0;
  int drawn = 0;
  for (int y = 0; y < image.GetHeight(); ++y) {
    for (int x = 0; x < image.GetWidth(); ++x) drawn += image.GetAlpha(x, y) > 127 ? 1 : 0;
  }
  return static_cast<double>(drawn) / (image.GetWidth() * image.GetHeight());
}

TEST(AppIcon, ArtIsDrawnAtEverySize) {
  ASSERT_TRUE(art::AppIconArt().IsOk()) << "the compiled-in SVG was not read";
  const wxIconBundle icons = art::AppIcons();
  ASSERT_EQ(icons.GetIconCount(), std::size(art::kAppIconSizes));
  for (int size : art::kAppIconSizes) {
    const wxIcon icon = icons.GetIconOfExactSize(wxSize(size, size));
    ASSERT_TRUE(icon.IsOk()) << size;
    const wxImage image = wxBitmap(icon).ConvertToImage();
    // A page with a quill: much of the square is drawn, and its corners are left clear.
    EXPECT_GT(DrawnShare(image), 0.3) << size;
    EXPECT_LT(DrawnShare(image), 0.9) << size;
    ASSERT_TRUE(image.HasAlpha()) << size;
    EXPECT_EQ(image.GetAlpha(0, 0), 0) << size;
    EXPECT_EQ(image.GetAlpha(0, size - 1), 0) << size;
  }
  const wxIcon icon = art::AppIcon();
  EXPECT_EQ(icon.GetWidth(), art::kAppIconSize);
  EXPECT_EQ(icon.GetHeight(), art::kAppIconSize);
}

TEST(AppIcon, ArtHasTheQuillAndThePage) {
  // Sampled at 128 pixels, where the SVG's units are pixels: the gold of the quill's vane and
  // the page's paper.
  const wxImage image = art::AppIconArt().GetBitmap(wxSize(128, 128)).ConvertToImage();
  auto near = [&](int x, int y, unsigned char r, unsigned char g, unsigned char b) {
    return std::abs(image.GetRed(x, y) - r) < 24 && std::abs(image.GetGreen(x, y) - g) < 24 &&
           std::abs(image.GetBlue(x, y) - b) < 24 && image.GetAlpha(x, y) > 200;
  };
  EXPECT_TRUE(near(97, 35, 0xE8, 0xC0, 0x60)) << "quill";
  EXPECT_TRUE(near(30, 112, 0xFB, 0xFA, 0xF4)) << "page";
}

TEST_F(AppTest, MainWindowCarriesTheIconAtEverySize) {
  ASSERT_TRUE(Start());
  const wxIconBundle& icons = Frame()->GetIcons();
  EXPECT_EQ(icons.GetIconCount(), std::size(art::kAppIconSizes));
  for (int size : {16, 48, 256}) {
    EXPECT_TRUE(icons.GetIconOfExactSize(wxSize(size, size)).IsOk()) << size;
  }
}

class ExpectAboutIcon : public wxExpectModalBase<CAboutDlg, ExpectAboutIcon> {
 public:
  explicit ExpectAboutIcon(wxSize* seen) : seen_(seen) {}

 protected:
  int OnInvoked(CAboutDlg* dialog) const override {
    for (wxWindow* child : dialog->GetChildren()) {
      if (auto* picture = dynamic_cast<wxStaticBitmap*>(child)) {
        *seen_ = picture->GetBitmap().GetSize();
      }
    }
    return wxID_OK;
  }

 private:
  wxSize* seen_;
};

TEST_F(AppTest, AboutBoxShowsTheIcon) {
  ASSERT_TRUE(Start());
  wxSize seen;
  wxTEST_DIALOG(SendCommand(Frame(), wxID_ABOUT), ExpectAboutIcon(&seen));
  EXPECT_EQ(seen, wxSize(art::kAppIconSize, art::kAppIconSize));
}

}  // namespace
