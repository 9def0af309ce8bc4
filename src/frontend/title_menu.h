// The title menu: picture, four entries and a sliding cursor; the choice
// goes into the game state's menuChoice for the game flow.
#pragma once

#include "engine/system.h"

enum MenuEntry { MenuStart = 0, MenuContinue = 1, MenuRanking = 2, MenuExit = 3 };
inline constexpr int kMenuEntries = 4;
inline constexpr const char* kMenuTexts[kMenuEntries] = {"Start", "Continue", "Ranking", "Exit"};

void ShowTitleMenu(System* sys);
void UpdateTitleMenu(System* sys);
