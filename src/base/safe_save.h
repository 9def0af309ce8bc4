// Writes a file so that a crash or a full disk leaves either the complete old
// content or the complete new one: a temporary file beside it, flushed, then
// renamed over the old file. A symbolic link is saved through (its target is
// replaced), a replaced file keeps its permissions, a file the player may not
// write is refused, and where no temporary file can be made the file is
// rewritten in place.
#pragma once

#include <cstdio>

using SaveWriter = int (*)(FILE* file, const void* context);  // 0 or -1

// 0 on success; -1 when the file could not be written (the old file stays).
int SaveFileSafely(const char* path, SaveWriter writer, const void* context);
