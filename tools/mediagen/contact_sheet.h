// One picture of every sprite at twice its size with its folder and slot,
// for looking the art over in one go.
#pragma once

#include <string>
#include <vector>

#include "catalog.h"

Image DrawContactSheet(const std::vector<Picture>& pictures);

// The screens as the game shows them, with sample text drawn from the font
// sheet and sprites placed where the game puts them, plus a made-up level
// scene; written as BMP files into `dir` for checking the layout by eye.
bool WriteScreenPreviews(const std::string& dir);
