// The program's message boxes carry Japanese button labels whatever the desktop's language.

#include <gtest/gtest.h>

#include <wx/msgdlg.h>

#include "form_fixture.h"
#include "testing_hook.h"
#include "ui/widgets/message_box.h"

namespace {

struct SeenButtons {
  wxString yes, no, cancel, ok;
  long style = 0;
};

class ExpectButtons : public wxExpectModalBase<wxMessageDialog> {
 public:
  ExpectButtons(SeenButtons& seen, int answer) : seen_(seen), answer_(answer) {}

 protected:
  int OnInvoked(wxMessageDialog* dialog) const override {
    seen_.yes = dialog->GetYesLabel();
    seen_.no = dialog->GetNoLabel();
    seen_.cancel = dialog->GetCancelLabel();
    seen_.ok = dialog->GetOKLabel();
    seen_.style = dialog->GetMessageDialogStyle();
    return answer_;
  }

 private:
  SeenButtons& seen_;
  int answer_;
};

// はい(&Y) and いいえ(&N), with the mnemonic as GTK writes it.
const wxString kYes = wxString::FromUTF8("はい(_Y)");
const wxString kNo = wxString::FromUTF8("いいえ(_N)");
const wxString kCancel = wxString::FromUTF8("キャンセル");

using MessageBoxTest = FormTest;

TEST_F(MessageBoxTest, QuestionAndSaveBoxesHaveJapaneseButtons) {
  SeenButtons question;
  bool confirmed = true;
  wxTEST_DIALOG(confirmed = ConfirmDelete(frame_, 40001, "f"), ExpectButtons(question, wxID_NO));
  EXPECT_FALSE(confirmed);
  EXPECT_EQ(question.yes, kYes);
  EXPECT_EQ(question.no, kNo);
  EXPECT_EQ(question.style & (wxYES_NO | wxCANCEL | wxNO_DEFAULT | wxICON_QUESTION),
            wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION);

  // The question before a modified document is closed: Yes, No and Cancel.
  CFuncDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  doc->AddFunction("f");
  SeenButtons save;
  bool may_close = true;
  wxTEST_DIALOG(may_close = doc->OnSaveModified(), ExpectButtons(save, wxID_CANCEL));
  EXPECT_FALSE(may_close);
  EXPECT_EQ(save.yes, kYes);
  EXPECT_EQ(save.no, kNo);
  EXPECT_EQ(save.cancel, kCancel);
  EXPECT_EQ(save.style & (wxYES_NO | wxCANCEL), wxYES_NO | wxCANCEL);

  SeenButtons stop;
  wxTEST_DIALOG(ShowStopBox(frame_, 40000, 40100), ExpectButtons(stop, wxID_OK));
  EXPECT_EQ(stop.ok, wxS("OK"));
  EXPECT_EQ(stop.style & wxICON_STOP, wxICON_STOP);
}

}  // namespace
