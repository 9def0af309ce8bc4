// One picture of every sprite at twice its size with its folder and slot,
// for looking the art over in one go.
#pragma once

#include <vector>

#include "catalog.h"

Image DrawContactSheet(const std::vector<Picture>& pictures);
