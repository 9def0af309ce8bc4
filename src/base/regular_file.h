// Opening the game's data files for reading. Only regular files are opened:
// a pipe or a device named by a list or a setting would stall the start or
// read forever.
#pragma once

#include <cstdio>

// The file opened "rb", or null when it cannot be opened or is not a
// regular file.
FILE* OpenRegularFile(const char* path);
