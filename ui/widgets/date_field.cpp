#include "ui/widgets/date_field.h"

#include <cstdio>
#include <ctime>

#include <wx/button.h>
#include <wx/calctrl.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "ui/widgets/dialog_keys.h"

namespace {

wxDateTime ToDateTime(const quillmap::CalendarDay& day) {
  return wxDateTime(static_cast<wxDateTime::wxDateTime_t>(day.day),
                    static_cast<wxDateTime::Month>(day.month - 1), day.year);
}

quillmap::CalendarDay Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace

DateField::DateField(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : wxPanel(parent, wxID_ANY, pos, size, wxTAB_TRAVERSAL | wxBORDER_NONE) {
  // The text field carries the field's id: it is what the dialog's code and its tests look for.
  text_ = new wxTextCtrl(this, id, wxString(), wxPoint(0, 0), wxSize(size.x - size.y, size.y));
  // "▼" as on the closed calendar of a date picker; the button is as wide as it is high.
  button_ = new wxButton(this, wxID_ANY, wxString::FromUTF8("▼"), wxPoint(size.x - size.y, 0),
                         wxSize(size.y, size.y), wxBU_EXACTFIT);
  button_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OpenCalendar(); });
  // Tab goes from the date on to the next control; from the keyboard, Alt+Down opens the
  // calendar, as it opens a drop-down list.
  button_->SetCanFocus(false);
  text_->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_DOWN && event.GetModifiers() == wxMOD_ALT) {
      OpenCalendar();
    } else {
      event.Skip();
    }
  });
}

void DateField::SetDay(const quillmap::CalendarDay& day) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d", day.year, day.month, day.day);
  text_->ChangeValue(wxString::FromAscii(text));
}

std::optional<quillmap::CalendarDay> DateField::GetDay() const {
  // Anything but ASCII is no part of a day: the conversion to ASCII leaves it out of reach.
  const wxString text = text_->GetValue();
  if (!text.IsAscii()) return std::nullopt;
  return quillmap::ReadDayText(text.ToStdString());
}

void DateField::OpenCalendar() {
  DayCalendarDialog calendar(this, GetDay().value_or(Today()));
  if (calendar.ShowModal() == wxID_OK) SetDay(calendar.GetDay());
  text_->SetFocus();
}

DayCalendarDialog::DayCalendarDialog(wxWindow* parent, const quillmap::CalendarDay& day)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8("カレンダー"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE, wxS("calendar")) {
  if (parent != nullptr) SetFont(parent->GetFont());
  calendar_ = new wxCalendarCtrl(this, wxID_ANY, ToDateTime(day));
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(calendar_, 0, wxALL, 6);
  auto* buttons = new wxStdDialogButtonSizer;
  auto* ok = new wxButton(this, wxID_OK, wxS("OK"));
  buttons->AddButton(ok);
  buttons->AddButton(new wxButton(this, wxID_CANCEL, wxString::FromUTF8("ｷｬﾝｾﾙ")));
  buttons->Realize();
  sizer->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 6);
  SetSizerAndFit(sizer);
  ok->SetDefault();
  ReturnPressesDefaultButton(this, calendar_);
  // The arrow keys move the chosen day (GTK's calendar would move only a focus mark that starts
  // elsewhere), Page Up and Page Down the month; Return then takes the day.
  Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
    wxDateSpan step;
    switch (event.GetKeyCode()) {
      case WXK_LEFT:
        step = wxDateSpan::Days(-1);
        break;
      case WXK_RIGHT:
        step = wxDateSpan::Days(1);
        break;
      case WXK_UP:
        step = wxDateSpan::Weeks(-1);
        break;
      case WXK_DOWN:
        step = wxDateSpan::Weeks(1);
        break;
      case WXK_PAGEUP:
        step = wxDateSpan::Months(-1);
        break;
      case WXK_PAGEDOWN:
        step = wxDateSpan::Months(1);
        break;
      default:
        event.Skip();
        return;
    }
    if (event.HasModifiers() || wxWindow::FindFocus() != calendar_) {
      event.Skip();
      return;
    }
    calendar_->SetDate(calendar_->GetDate() + step);
  });
  calendar_->Bind(wxEVT_CALENDAR_DOUBLECLICKED, [this](wxCalendarEvent&) { EndDialog(wxID_OK); });
  if (parent != nullptr) {
    // Below the field, its right edges in line, as a drop-down calendar opens.
    const wxRect field = parent->GetScreenRect();
    Move(field.GetRight() - GetSize().x, field.GetBottom());
  }
  calendar_->SetFocus();
}

quillmap::CalendarDay DayCalendarDialog::GetDay() const {
  const wxDateTime date = calendar_->GetDate();
  return {date.GetYear(), static_cast<int>(date.GetMonth()) + 1, date.GetDay()};
}
