// The short timed screens between the stages of a game: lives left, level
// clear, game over and the ending.
#pragma once

#include <cstddef>

#include "engine/system.h"

inline constexpr int kLivesScreenEnd = 121;
inline constexpr int kLevelClearEnd = 140;
inline constexpr int kFinalScreenEnd = 480;  // game over and ending

void ShowLivesScreen(System* sys);
void ShowLevelClear(System* sys);
void ShowGameOver(System* sys);
void ShowEnding(System* sys);

// The texts these screens draw.
void FormatLivesText(char* out, size_t size, int lives);
void FormatLeftTime(char* out, size_t size, int life);
