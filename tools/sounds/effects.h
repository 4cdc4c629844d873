// The game's four sound effects, each rendered as a finished mono buffer.
#pragma once

#include "tools/sounds/dsp.h"

namespace vellix::sounds {

Buffer makeBounce();     // ball off the paddle
Buffer makeRichochet();  // ball off a side wall
Buffer makeBreak();      // brick shattering
Buffer makeSink();       // ball lost below the floor

}  // namespace vellix::sounds
