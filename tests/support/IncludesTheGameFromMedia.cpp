// Built only by the test that the layers keep their direction: the media layer cannot see the game,
// so this file must fail to build. If it ever builds, that test fails.
#include "game/GameState.h"
