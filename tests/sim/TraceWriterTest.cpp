#include "tools/sim/TraceWriter.h"

#include <gtest/gtest.h>

#include <sstream>

#include "game/GameFlow.h"
#include "tests/support/TestGame.h"

namespace vellix::sim {
namespace {

// A trace line is one line of JSON whatever the messages hold: quotes, backslashes and control
// characters are escaped, and text beyond ASCII passes as it is.
TEST(Trace, EscapesWhatJsonCannotHoldInAString) {
    testing::TestGame t;
    startUp(t.game);
    t.game.showMessage("say \"hi\"\\\n\t\x01\x1f\x7f caf\xc3\xa9");
    std::ostringstream out;
    writeTraceLine(out, 7, t.game, 997, {kSoundBreak, kSoundSink});
    const std::string line = out.str();
    EXPECT_EQ(line.find('\n'), line.size() - 1) << line;
    EXPECT_NE(line.find(R"("messages":["say \"hi\"\\\u000a\u0009\u0001\u001f)" "\x7f caf\xc3\xa9\",\"Welcome to level 1\""),
              std::string::npos) << line;
    EXPECT_EQ(line.find("{\"frame\":7,\"state\":\"playing\",\"level\":1,\"lives\":5,\"score\":0,\"mouseX\":997,"), 0u);
    EXPECT_NE(line.find("\"sounds\":[2,3]}"), std::string::npos) << line;
}

}  // namespace
}  // namespace vellix::sim
