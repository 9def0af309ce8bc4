// Writes a file so that a crash or a full disk leaves either the complete old
// content or the complete new one: a temporary file beside it, flushed, then
// renamed over the old file.
#pragma once

#include <cstdio>

using SaveWriter = int (*)(FILE* file, const void* context);  // 0 or -1

// 0 on success; -1 when the file could not be written (the old file stays).
int SaveFileSafely(const char* path, SaveWriter writer, const void* context);
