// Writes a file so that a crash, a full disk or another game saving at the
// same moment leaves either the complete old content or the complete new
// one: a temporary file of the save's own beside it, flushed, then renamed
// over the old file, all under a lock on the folder. A symbolic link is saved
// through (its target is replaced), a replaced file keeps its permissions, a
// file the player may not write or read is refused, and only in a folder the
// player may not write is the file rewritten in place.
#pragma once

#include <cstdio>

// Called under the save's lock with the file as it stands (null when there is
// none), before anything is written; 0, or -1 to refuse the save.
using SaveReader = int (*)(FILE* current, void* context);
using SaveWriter = int (*)(FILE* file, void* context);  // 0 or -1

// 0 on success; -1 when the file could not be written (the old file stays).
// The reader may be null.
int SaveFileSafely(const char* path, SaveReader reader, SaveWriter writer, void* context);
