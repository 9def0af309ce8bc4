#include "game/game_state.h"

namespace {

// The game in progress: RunGame and the headless start zero it whole, the flow fills it.
GameState gameState;

}  // namespace

GameState* TheGameState() { return &gameState; }
