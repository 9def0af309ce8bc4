#include "frontend/front_state.h"

namespace {

// What the screens show: the flow hands the game's values over before each
// screen, and each screen sets its own sprites as it starts.
FrontState frontState;

}  // namespace

FrontState* TheFrontState() { return &frontState; }
