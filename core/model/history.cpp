// Date texts of update-history entries: "%04d/%02d/%02d" of the local date.
#include "core/model/history.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <numeric>

namespace quillmap {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Converts like atoi: leading blanks, an optional sign, then digits up to the first non-digit;
// no digits give 0. Saturates instead of overflowing.
long long LeadingInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value < 100000000000LL) value = value * 10 + (text[i] - '0');
  }
  return negative ? -value : value;
}

int ClampToInt(long long value, long long low, long long high) {
  return static_cast<int>(value < low ? low : value > high ? high : value);
}

}  // namespace

std::time_t LocalMidnight(int year, int month, int day) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_isdst = -1;
  return std::mktime(&local);
}

std::string FormatHistoryDate(std::time_t date) {
  std::tm local{};
  if (localtime_r(&date, &local) == nullptr) return "0000/00/00";
  char text[64];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday);
  return text;
}

std::time_t ParseHistoryDate(std::string_view text) {
  std::size_t first = text.find('/');
  std::size_t second = first == std::string_view::npos ? first : text.find('/', first + 1);
  if (second == std::string_view::npos) return std::time(nullptr);
  long long year = LeadingInteger(text.substr(0, first));
  long long month = LeadingInteger(text.substr(first + 1, second - first - 1));
  long long day = LeadingInteger(text.substr(second + 1));
  // Out-of-range months and days are normalised by mktime; the clamps only keep the int fields
  // from overflowing.
  return LocalMidnight(ClampToInt(year, -2000000000, 2000000000),
                       ClampToInt(month, -1000000, 1000000),
                       ClampToInt(day, -100000000, 100000000));
}

std::vector<std::size_t> NewestFirstOrder(const std::vector<std::string>& date_texts) {
  std::vector<std::size_t> order(date_texts.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  // std::string compares its bytes as unsigned char, so lead bytes of Shift-JIS characters
  // (0x81 and up) sort after digits and ASCII, never before.
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return date_texts[b] < date_texts[a]; });
  return order;
}

namespace {

// At least one and at most max_digits characters of a decimal number (a minus sign makes it
// negative, which every caller's range refuses).
std::optional<int> ReadNumber(std::string_view text, std::size_t max_digits) {
  if (text.empty() || text.size() > max_digits) return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

std::optional<CalendarDay> ReadDayText(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  const std::size_t first = text.find('/');
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t second = text.find('/', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const std::optional<int> year = ReadNumber(text.substr(0, first), 4);
  const std::optional<int> month = ReadNumber(text.substr(first + 1, second - first - 1), 2);
  const std::optional<int> day = ReadNumber(text.substr(second + 1), 2);
  if (!year || !month || !day || *year < 1 || *month < 1 || *month > 12 || *day < 1 ||
      *day > DaysInMonth(*year, *month)) {
    return std::nullopt;
  }
  return CalendarDay{*year, *month, *day};
}

}  // namespace quillmap
