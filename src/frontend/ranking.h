// The ranking screen: the five rows of the high-score table until ButtonZ.
#pragma once

#include <cstddef>

#include "engine/system.h"

struct HighScoreEntry;

// Reloads the table from the score file and shows it until ButtonZ.
void ShowRanking(System* sys);
// Puts the background and the five rows of the loaded table on the screens layer, fading in.
void SetUpRanking(System* sys);
// Scene callback: ends the scene on ButtonZ.
void UpdateRanking(System* sys);

// The row as the screen shows it: name, item percentage, score and its two-digit tail.
void FormatRankingRow(char* out, size_t size, const HighScoreEntry& row);
