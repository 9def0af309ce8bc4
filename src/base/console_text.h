// The game's messages are Shift_JIS bytes. On a terminal whose locale is
// UTF-8 they are written converted, so a player can read them; under any
// other locale (C, Shift_JIS) the bytes go out exactly as they are.
#pragma once

#include <cstdio>

// A stream that writes to `fd` what it is given in Shift_JIS as UTF-8; bytes
// that are not Shift_JIS pass as they are. Null when it cannot be made.
FILE* OpenUtf8Stream(int fd);
// Puts such streams in place of stdout and stderr when the locale's character
// set (LC_ALL, LC_CTYPE or LANG) is UTF-8; 1 when it did, 0 when it left them.
// At exit (or when called) the converted streams are flushed, closed and the
// plain ones put back.
int UseLocaleConsole();
void RestoreConsole();
