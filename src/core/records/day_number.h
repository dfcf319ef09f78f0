#pragma once

#include <chrono>
#include <cstdint>

namespace tornel {

// Dates and times as records keep them: whole days since 30 Dec 1899 (the
// date) and the fraction of a day (the time), both local time.
struct DayTime {
  double Date = 0;
  double Time = 0;
};

struct CivilDateTime {
  int Year = 1899, Month = 12, Day = 30;
  int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

// The local date and time of a moment of the system clock.
DayTime LocalDayTime(std::chrono::system_clock::time_point moment);

// Day number of a date of the proleptic Gregorian calendar.
int64_t DayNumber(int year, int month, int day);

// The calendar date of the whole part of date and the clock time of the
// fraction time (rounded to the millisecond). A date more than about 11 000
// years from 1899, or one that is not finite, gives 30 Dec 1899.
CivilDateTime DayTimeToCivil(double date, double time);

}  // namespace tornel
