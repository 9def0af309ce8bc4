// The end-of-game step: a result good enough for the table gets a
// three-letter name, is inserted and saved, and the ranking follows.
#pragma once

#include <cstddef>

#include "engine/system.h"

// The characters a letter of the name cycles through.
inline constexpr char NameAlphabet[] = "_ABCDEFGHIJKLMNOPQRSTUVWXYZ .abcdefghijklmnopqrstuvwxyz,0123456789";
inline constexpr int kNameAlphabetSize = sizeof NameAlphabet - 1;

// Loads the table; a result that qualifies gets its name entered, then the table is saved and the
// ranking shown. Any other result returns at once.
void EnterHighScore(System* sys);
// Puts the name line, letter box and background on the screens layer, fading in.
void SetUpNameEntry(System* sys);
// Scene callback: Up and Down change the letter, Left and Right move the box, ButtonC inserts the
// result and closes the screen.
void UpdateNameEntry(System* sys);

// Items taken as a whole percentage of the items the game created.
int ItemPercent(int itemsTaken, int itemsTotal);
// The name line: "___", the item percentage and the score with its tail.
void FormatNameEntryLine(char* out, size_t size, int itemPercent, int score, int scoreTail);
