#include "base/diagnostics.h"

#include <cstdarg>
#include <cstdio>

void ReportDiagnostic(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
}
