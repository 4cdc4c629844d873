#include "game/MessageLog.h"

#include <gtest/gtest.h>

namespace vellix {
namespace {

// The log starts empty; each message goes on top and pushes the others down, until the seventh
// pushes the first out.
TEST(MessageLog, StartsEmptyAndKeepsTheSixNewestMessagesNewestOnTop) {
    MessageLog log;
    for (int shown = 1; shown <= 7; ++shown) {
        log.showMessage("message " + std::to_string(shown));
        for (int line = 0; line < MessageLog::kLines; ++line)
            EXPECT_EQ(log[line], line < shown ? "message " + std::to_string(shown - line) : "") << shown << "," << line;
    }
}

}  // namespace
}  // namespace vellix
