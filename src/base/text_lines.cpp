#include "base/text_lines.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "base/diagnostics.h"
#include "base/messages.h"

char* ReadLine(LineReader* reader) {
  for (;;) {
    if (!std::fgets(reader->line, kLineBufferSize, reader->file)) return nullptr;
    const size_t length = std::strlen(reader->line);
    if (length < kLineBufferSize - 1 || reader->line[length - 1] == '\n') return reader->line;
    // The buffer is full without a line end: either the line is exactly 4095
    // characters long, or it is longer and is dropped whole.
    int c = std::fgetc(reader->file);
    if (c == EOF || c == '\n') return reader->line;
    while (c != EOF && c != '\n') c = std::fgetc(reader->file);
  }
}

int IsSkippedLine(const char* line) { return line[0] == '#' || line[0] == '\r' || line[0] == '\n' || line[0] == '\0'; }

int SplitTokens(char* line, char** tokens, int maxTokens) {
  static const char kSeparators[] = "\r\t\n #";
  int count = 0;
  char* p = line;
  while (*p && count < maxTokens) {
    p += std::strspn(p, kSeparators);
    if (!*p) break;
    tokens[count++] = p;
    p += std::strcspn(p, kSeparators);
    if (*p) *p++ = '\0';
  }
  return count;
}

namespace {

// A slot is a plain decimal number, perhaps signed. A number beyond the
// integer's range reads as the range's end and anything else as -1: no slot
// of any list, so the loader refuses the line with its slot message.
int ParseSlot(const char* token) {
  const char* digits = token + (*token == '-' || *token == '+');
  if (*digits < '0' || *digits > '9') return -1;
  char* end = nullptr;
  const long long value = std::strtoll(token, &end, 10);
  if (*end != '\0') return -1;
  return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

}  // namespace

void ReadSlotList(FILE* list, const char* dir, SlotFileLoader load, void* context) {
  LineReader reader;
  reader.file = list;
  while (char* line = ReadLine(&reader)) {
    if (IsSkippedLine(line)) continue;
    char* tokens[3];
    const int fields = SplitTokens(line, tokens, 3);
    if (fields < 2) continue;  // no field, or a slot without a file name
    char path[kPathBufferSize];
    if (JoinPath(path, dir, tokens[1]) != 0) continue;
    load(context, ParseSlot(tokens[0]), path, fields);
  }
}

int JoinPath(char* out, const char* dir, const char* name) {
  const size_t dirLength = std::strlen(dir);
  const size_t nameLength = std::strlen(name);
  if (dirLength + nameLength >= static_cast<size_t>(kPathBufferSize)) {
    ReportDiagnostic(msg::MsgPathTooLong, name);
    return -1;
  }
  std::memcpy(out, dir, dirLength);
  std::memcpy(out + dirLength, name, nameLength + 1);
  return 0;
}
