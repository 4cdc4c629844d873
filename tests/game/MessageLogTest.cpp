#include "game/MessageLog.h"

#include <gtest/gtest.h>

#include <string>

namespace vellix {
namespace {

TEST(MessageLog, SevenMessagesLeaveTheLastSixNewestOnTop) {
    MessageLog log;
    for (int i = 1; i <= 7; ++i) log.showMessage("message " + std::to_string(i));
    for (int line = 0; line < MessageLog::kLines; ++line) EXPECT_EQ(log[line], "message " + std::to_string(7 - line));
}

TEST(MessageLog, StartsEmptyAndFillsFromTheTop) {
    MessageLog log;
    log.showMessage("Welcome to level 1");
    EXPECT_EQ(log[0], "Welcome to level 1");
    for (int line = 1; line < MessageLog::kLines; ++line) EXPECT_EQ(log[line], "");
}

}  // namespace
}  // namespace vellix
