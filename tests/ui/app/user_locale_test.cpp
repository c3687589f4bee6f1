// The user's language in the windows that GTK and wx draw themselves, under a Japanese locale
// generated for the test (the machine needs none installed).

#include <gtk/gtk.h>

#include <clocale>
#include <cstdlib>
#include <string>
#include <vector>

#include <wx/filedlg.h>
#include <wx/stockitem.h>
#include <wx/translation.h>

#include "tests/ui/app/app_fixture.h"
#include "ui/app/user_locale.h"

namespace {

// Every label text in a GTK widget tree, buttons' labels included.
void CollectLabels(GtkWidget* widget, std::vector<std::string>& labels) {
  if (GTK_IS_LABEL(widget)) labels.emplace_back(gtk_label_get_label(GTK_LABEL(widget)));
  if (GTK_IS_BUTTON(widget) && gtk_button_get_label(GTK_BUTTON(widget)) != nullptr) {
    labels.emplace_back(gtk_button_get_label(GTK_BUTTON(widget)));
  }
  if (GTK_IS_CONTAINER(widget)) {
    GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
    for (GList* child = children; child != nullptr; child = child->next) {
      CollectLabels(GTK_WIDGET(child->data), labels);
    }
    g_list_free(children);
  }
}

struct ChooserTexts {
  std::string save, cancel;
  std::vector<std::string> labels;
};

// Looks at the file chooser instead of running it, and cancels it.
class ReadChooser : public wxExpectModalBase<wxFileDialog, ReadChooser> {
 public:
  explicit ReadChooser(ChooserTexts* texts) : texts_(texts) {}

 protected:
  int OnInvoked(wxFileDialog* dialog) const override {
    GtkWidget* chooser = dialog->GetHandle();
    // What a button shows: the label inside it (wx asks for GTK's stock buttons, whose texts
    // come from GTK's catalog).
    auto label = [chooser](int response) {
      GtkWidget* button = gtk_dialog_get_widget_for_response(GTK_DIALOG(chooser), response);
      std::vector<std::string> texts;
      if (button != nullptr) CollectLabels(gtk_bin_get_child(GTK_BIN(button)), texts);
      return texts.empty() ? std::string() : texts.back();
    };
    texts_->save = label(GTK_RESPONSE_ACCEPT);
    texts_->cancel = label(GTK_RESPONSE_CANCEL);
    CollectLabels(chooser, texts_->labels);
    return wxID_CANCEL;
  }

 private:
  ChooserTexts* texts_;
};

class UserLocaleTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    // The locale's data, compiled from the sources of the locales package into a folder of
    // our own; glibc looks there first while LOCPATH names it.
    const std::string folder = Path(wxS("locales")).utf8_string();
    const std::string command =
        "localedef -i ja_JP -f UTF-8 " + folder + "/ja_JP.UTF-8 >/dev/null 2>&1";
    ASSERT_EQ(std::system(("mkdir -p " + folder + " && " + command).c_str()), 0)
        << "localedef (Debian package locales) could not make ja_JP.UTF-8";
    setenv("LOCPATH", folder.c_str(), 1);
    setenv("LANG", "ja_JP.UTF-8", 1);
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LC_NUMERIC", "LANGUAGE"}) unsetenv(name);
  }

  void TearDown() override {
    AppTest::TearDown();
    std::setlocale(LC_ALL, "C");
    unsetenv("LOCPATH");
    unsetenv("LANG");
  }
};

TEST_F(UserLocaleTest, TheSaveAsChooserSpeaksJapaneseAndNumbersStayC) {
  UseUserLocale();
  EXPECT_STREQ(std::setlocale(LC_MESSAGES, nullptr), "ja_JP.UTF-8");
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
  char number[16];
  std::snprintf(number, sizeof number, "%.1f", 1.5);
  EXPECT_STREQ(number, "1.5");

  ASSERT_TRUE(Start());
  ASSERT_TRUE(SendCommand(Frame(), wxID_NEW));
  Pump();
  ASSERT_EQ(Documents().size(), 1u);
  ChooserTexts texts;
  wxTEST_DIALOG(SendCommand(Documents()[0]->GetFirstView()->GetFrame(), wxID_SAVEAS),
                ReadChooser(&texts));
  EXPECT_EQ(texts.save, "保存(_S)");
  EXPECT_EQ(texts.cancel, "キャンセル(_C)");
  bool name_label = false;
  for (const std::string& label : texts.labels) name_label = name_label || label == "名前(_N):";
  EXPECT_TRUE(name_label) << "no Japanese name label among " << texts.labels.size();
  // wx's own catalog, for the windows wx draws itself.
  EXPECT_EQ(wxGetStockLabel(wxID_SAVE).utf8_string(), "保存 (&S)");
  EXPECT_EQ(wxGetTranslation(wxS("Print Preview")).utf8_string(), "印刷プレビュー");
}

}  // namespace
