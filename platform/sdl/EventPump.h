#pragma once

namespace vellix {

class Game;
class SdlWindow;

// Hands the game everything SDL's queue holds, in the order it came: the window's events, and the
// mixer's reports of sounds that have ended (which its audio thread posts to the same queue).
void pumpEvents(Game& game, SdlWindow& window);

}  // namespace vellix
