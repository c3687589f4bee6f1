#pragma once
// Update-history entries and their date texts ("%04d/%02d/%02d" of the local date).

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmap {

struct HistoryEntry {
  std::time_t date = 0;  // local time; only year, month and day are kept in a record
  std::string comment;   // Shift-JIS; may hold line breaks
};

// Local midnight of a calendar day (month 1 to 12); out-of-range parts are normalised by mktime.
std::time_t LocalMidnight(int year, int month, int day);
// "%04d/%02d/%02d" of the local year, month and day of the given time.
std::string FormatHistoryDate(std::time_t date);
// Local midnight of "Y/M/D" (parts converted like atoi, out-of-range parts normalised by
// mktime); the current time when the text lacks two "/".
std::time_t ParseHistoryDate(std::string_view text);

// The order that puts date texts newest first: element i of the result is the position in
// date_texts of the text that comes i-th. Texts are compared byte by byte as unsigned values,
// descending (for "%04d/%02d/%02d" texts that is newest first); equal texts keep their given
// order.
std::vector<std::size_t> NewestFirstOrder(const std::vector<std::string>& date_texts);

// A calendar day as a user types it.
struct CalendarDay {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to the month's last day
  bool operator==(const CalendarDay&) const = default;
};

// The day of a typed "YYYY/MM/DD" (year 1 to 9999 in up to four digits, month and day in one or
// two), blanks around it allowed; nothing for any other text and for a day the calendar lacks
// (2026/02/29, 2026/13/01). Unlike ParseHistoryDate, nothing is normalised or guessed.
std::optional<CalendarDay> ReadDayText(std::string_view text);

}  // namespace quillmap
