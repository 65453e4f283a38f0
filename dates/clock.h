#pragma once

#include <chrono>

namespace tokivane {

// Where today's date comes from. The window and date completion ask it once per
// action, so tests can fix the day.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::chrono::year_month_day today() const = 0;
};

// Today's local calendar date, as the user's desktop shows it.
class SystemClock final : public Clock {
  public:
    std::chrono::year_month_day today() const override;
};

// A clock that always answers the same day.
class FixedClock final : public Clock {
  public:
    explicit FixedClock(std::chrono::year_month_day day) : day_(day) {}
    std::chrono::year_month_day today() const override { return day_; }
    void set(std::chrono::year_month_day day) { day_ = day; }

  private:
    std::chrono::year_month_day day_;
};

} // namespace tokivane
