// The whole game as the player sees it: title, levels, screens between them.
#pragma once

#include "engine/system.h"

void RunGameFlow(System* sys);
