// The ranking screen: the five rows of the high-score table until ButtonZ.
#pragma once

#include <cstddef>

#include "engine/system.h"

struct HighScoreEntry;

void ShowRanking(System* sys);
void SetUpRanking(System* sys);
void UpdateRanking(System* sys);

void FormatRankingRow(char* out, size_t size, const HighScoreEntry& row);
