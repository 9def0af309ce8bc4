// The one way the game reports a fault: a message from messages.h (Shift_JIS)
// with its printf arguments, on stderr, which UseLocaleConsole converts for a
// UTF-8 terminal.
#pragma once

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
void ReportDiagnostic(const char* format, ...);
