#pragma once

#include <cstdint>

namespace vellix {

// Where the level set-up gets its seed: the time of day, in whole seconds since midnight.
class TimeOfDay {
public:
    virtual ~TimeOfDay() = default;
    virtual std::uint32_t secondsSinceMidnight() = 0;
};

// The local time of day, read from the system clock.
class SystemTimeOfDay final : public TimeOfDay {
public:
    std::uint32_t secondsSinceMidnight() override;
};

// Always the same second: for reproducible runs.
class FixedTimeOfDay final : public TimeOfDay {
public:
    explicit FixedTimeOfDay(std::uint32_t seconds) : seconds_(seconds) {}
    std::uint32_t secondsSinceMidnight() override { return seconds_; }

private:
    std::uint32_t seconds_;
};

}  // namespace vellix
