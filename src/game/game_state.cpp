#include "game/game_state.h"

namespace {

GameState gameState;

}  // namespace

GameState* TheGameState() { return &gameState; }
