#pragma once
// A date field: a text field that shows and reads a day as YYYY/MM/DD whatever the locale, and
// beside it a button that opens a calendar to pick the day from.

#include <optional>

#include <wx/calctrl.h>  // wxCalendarCtrl is a macro on GTK: no forward declaration
#include <wx/dialog.h>
#include <wx/panel.h>

#include "core/model/history.h"

class wxButton;
class wxTextCtrl;

class DateField : public wxPanel {
 public:
  DateField(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size);

  // Shows the day as "YYYY/MM/DD".
  void SetDay(const quillmap::CalendarDay& day);
  // The day of the text as it is now; nothing when the text is no such day.
  std::optional<quillmap::CalendarDay> GetDay() const;

  // Opens the calendar at the field's day (today when the text is no day); a day picked there
  // replaces the text, Cancel or Escape leaves it.
  void OpenCalendar();

  wxTextCtrl* Text() const { return text_; }
  wxButton* CalendarButton() const { return button_; }

 private:
  wxTextCtrl* text_ = nullptr;
  wxButton* button_ = nullptr;
};

// The calendar that the field's button opens: a month to pick a day from, OK and Cancel. A
// double click on a day, or Return, picks it; Escape closes only the calendar.
class DayCalendarDialog : public wxDialog {
 public:
  DayCalendarDialog(wxWindow* parent, const quillmap::CalendarDay& day);
  quillmap::CalendarDay GetDay() const;
  wxCalendarCtrl* Calendar() const { return calendar_; }

 private:
  wxCalendarCtrl* calendar_ = nullptr;
};
