#include "core/records/day_number.h"

#include <cmath>
#include <ctime>

namespace tornel {
namespace {

// Days of 1 Jan 1970 and of 30 Dec 1899 since 1 Mar of year 0 (Howard
// Hinnant's civil-day algorithms).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t y = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(y + (month <= 2));
}

const int64_t kEpochOffset = DaysFromCivil(1899, 12, 30);

}  // namespace

int64_t DayNumber(int year, int month, int day) {
  return DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
         kEpochOffset;
}

DayTime LocalDayTime(std::chrono::system_clock::time_point moment) {
  using namespace std::chrono;
  const auto ms = duration_cast<milliseconds>(moment.time_since_epoch()).count();
  std::time_t seconds = static_cast<std::time_t>(ms / 1000 - (ms % 1000 < 0 ? 1 : 0));
  const int64_t millis = ms - static_cast<int64_t>(seconds) * 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  DayTime out;
  out.Date = static_cast<double>(DayNumber(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday));
  const double secOfDay = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
  out.Time = (secOfDay + static_cast<double>(millis) / 1000.0) / 86400.0;
  return out;
}

CivilDateTime DayTimeToCivil(double date, double time) {
  CivilDateTime out;
  // About +-3.65 million days: years -9999..9999.
  if (!std::isfinite(date) || !std::isfinite(time) || std::fabs(date) > 4.3e6) return out;
  CivilFromDays(static_cast<int64_t>(std::floor(date)) + kEpochOffset, out.Year, out.Month,
                out.Day);
  double frac = time - std::floor(time);
  int64_t totalMs = static_cast<int64_t>(std::llround(frac * 86400000.0));
  if (totalMs >= 86400000) totalMs = 86399999;
  out.Hour = static_cast<int>(totalMs / 3600000);
  out.Minute = static_cast<int>(totalMs / 60000 % 60);
  out.Second = static_cast<int>(totalMs / 1000 % 60);
  out.Millisecond = static_cast<int>(totalMs % 1000);
  return out;
}

}  // namespace tornel
