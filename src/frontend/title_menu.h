// The title menu: picture, four entries and a sliding cursor; the choice
// goes into the front state's menuChoice for the game flow.
#pragma once

#include "engine/system.h"

enum MenuEntry { MenuStart = 0, MenuContinue = 1, MenuRanking = 2, MenuExit = 3 };
inline constexpr int kMenuEntries = 4;
// Not an entry: O or the pad's Back leave the menu for the options screen.
inline constexpr int MenuOptions = 4;
inline constexpr const char* kMenuTexts[kMenuEntries] = {"Start", "Continue", "Ranking", "Exit"};

void ShowTitleMenu(System* sys);
// Scene callback: sets the menu up on the first frame; ButtonZ stores the choice in the front
// state's menuChoice and ends the scene 100 frames later; O or the pad's Back store MenuOptions
// and end it at once.
void UpdateTitleMenu(System* sys);
