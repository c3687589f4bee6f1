// Reading a typed day: "YYYY/MM/DD" exactly, nothing guessed.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/model/history.h"

namespace quillmap {
namespace {

TEST(DayText, ReadsTheProgramsOwnFormAndRefusesEverythingElse) {
  struct Case {
    const char* text;
    std::optional<CalendarDay> day;
  };
  const Case cases[] = {
      {"2026/12/20", CalendarDay{2026, 12, 20}},
      {"  2000/3/5 ", CalendarDay{2000, 3, 5}},  // blanks around, short month and day
      {"1/01/01", CalendarDay{1, 1, 1}},
      {"9999/12/31", CalendarDay{9999, 12, 31}},
      {"2024/02/29", CalendarDay{2024, 2, 29}},  // leap year
      {"2000/02/29", CalendarDay{2000, 2, 29}},  // divisible by 400
      {"1900/02/29", std::nullopt},              // divisible by 100 only
      {"2026/02/29", std::nullopt},
      {"2026/04/31", std::nullopt},
      {"2026/13/01", std::nullopt},
      {"2026/00/10", std::nullopt},
      {"2026/01/00", std::nullopt},
      {"0000/01/01", std::nullopt},
      {"12/08/2026", std::nullopt},  // the US order
      {"2026-12-08", std::nullopt},
      {"2026/12", std::nullopt},
      {"2026/12/08/01", std::nullopt},
      {"2026/1 2/08", std::nullopt},
      {"20261/12/08", std::nullopt},
      {"2026/012/08", std::nullopt},
      {"-2026/12/08", std::nullopt},
      {"2026/+1/08", std::nullopt},
      {"2026/12/08x", std::nullopt},
      {"", std::nullopt},
      {"\x82\x50\x82\x4f/01/01", std::nullopt},  // full-width digits in Shift-JIS
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadDayText(c.text), c.day) << c.text;
  }
}

}  // namespace
}  // namespace quillmap
