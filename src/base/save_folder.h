// The folder a save writes into, shared with any other game saving there: a
// lock that makes one save exclusive against another, and temporary files of
// each save's own, locked while their save runs, so that a file nobody holds
// is known to be what a killed save left.
#pragma once

// Locks the folder that holds `path`, waiting a moment for another game's
// save. The descriptor to hand to UnlockSaveFolder, or -1 when the folder
// cannot be locked (the save goes on without).
int LockSaveFolder(const char* path);
void UnlockSaveFolder(int folder);

// Removes the temporary files beside `path` that no running save holds.
void RemoveLeftoverTemps(const char* path);

// Creates a new temporary file beside `path`, exclusively (never through a
// link) and locked; its name goes into `temp` (kPathBufferSize bytes). The
// descriptor, or -1 with errno telling why (EACCES or EPERM: the folder may
// not be written).
int CreateSaveTemp(const char* path, char* temp);
