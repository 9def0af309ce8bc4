#include "frontend/front_state.h"

namespace {

FrontState frontState;

}  // namespace

FrontState* TheFrontState() { return &frontState; }
