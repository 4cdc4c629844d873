#include "base/TimeOfDay.h"

#include <ctime>

namespace vellix {

std::uint32_t SystemTimeOfDay::secondsSinceMidnight() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::uint32_t(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec);
}

}  // namespace vellix
