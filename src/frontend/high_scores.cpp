#include "frontend/high_scores.h"

#include <climits>
#include <cstring>

#include "base/messages.h"
#include "base/safe_save.h"
#include "base/text_lines.h"

namespace {

HighScoreTable table;
char scorePath[kPathBufferSize] = {};  // empty = kScoreFilePath

// A table that could not be saved stays the table of its file for the rest
// of the run: every screen reloads the file, which would drop the result
// just entered on a full or read-only disk.
HighScoreTable unsavedTable;
char unsavedPath[kPathBufferSize] = {};  // empty = every save went through

const HighScoreEntry kDefaultRows[kHighScoreRows] = {
    {"ABC", 100, 10, 0}, {"DEF", 90, 9, 0}, {"GHI", 80, 8, 0}, {"JKL", 70, 7, 0}, {"MNO", 60, 6, 0},
};

// The file separates fields by white space, yet the name alphabet has a
// blank. A blank in a name is stored as this byte, which the alphabet never
// produces, and turned back on load; names without blanks are written as
// they always were.
constexpr char kStoredBlank = '~';

// Longer lines are malformed anyway; their tail is dropped, not spilled into
// the next row.
constexpr int kRowTextSize = 256;

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// One line of the file without its line feed; false at the end of the file.
bool ReadRowLine(FILE* file, char* text, int* length) {
  *length = 0;
  int c = std::fgetc(file);
  if (c == EOF) return false;
  for (; c != EOF && c != '\n'; c = std::fgetc(file))
    if (*length < kRowTextSize) text[(*length)++] = static_cast<char>(c);
  return true;
}

bool IsBlankLine(const char* text, int length) {
  for (int i = 0; i < length; i++)
    if (!IsSeparator(text[i])) return false;
  return true;
}

// A whole token of optional sign and digits within the range of int; a token
// like "12x" or one too large for int is not a number.
bool ParseNumber(const char* text, int length, int* value) {
  int i = 0;
  bool negative = false;
  if (i < length && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == length) return false;
  long long magnitude = 0;
  for (; i < length; i++) {
    if (text[i] < '0' || text[i] > '9') return false;
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > static_cast<long long>(INT_MAX) + 1) return false;
  }
  if (!negative && magnitude > INT_MAX) return false;
  *value = static_cast<int>(negative ? -magnitude : magnitude);
  return true;
}

// The name is whatever stands before the first separator (empty when the line
// starts with one: an empty name is written that way), at most three bytes of
// it. The three numbers follow; the first that is missing or malformed ends
// the row, leaving it and the later fields as they were.
void ParseRow(const char* text, int length, HighScoreEntry* row) {
  int i = 0;
  int kept = 0;
  for (; i < length && !IsSeparator(text[i]); i++)
    if (kept < kNameLength) row->name[kept++] = text[i] == kStoredBlank ? ' ' : text[i];
  row->name[kept] = '\0';

  int* fields[] = {&row->score, &row->itemPercent, &row->scoreTail};
  for (int* field : fields) {
    while (i < length && IsSeparator(text[i])) i++;
    const int start = i;
    while (i < length && !IsSeparator(text[i])) i++;
    int value = 0;
    if (!ParseNumber(text + start, i - start, &value)) return;
    *field = value;
  }
}

int WriteRows(FILE* file, const void* context) {
  const auto* rows = static_cast<const HighScoreEntry*>(context);
  for (int r = 0; r < kHighScoreRows; r++) {
    char name[kNameLength + 1] = {};
    for (int i = 0; i < kNameLength && rows[r].name[i]; i++)
      name[i] = IsSeparator(rows[r].name[i]) || rows[r].name[i] == '\n' ? kStoredBlank : rows[r].name[i];
    if (std::fprintf(file, "%s %d %d %d\n", name, rows[r].score, rows[r].itemPercent, rows[r].scoreTail) < 0) return -1;
  }
  return 0;
}

}  // namespace

HighScoreTable* TheHighScores() { return &table; }

void ClearHighScores() { std::memset(&table, 0, sizeof table); }

int LoadHighScoresStream(FILE* file) {
  char text[kRowTextSize];
  int length = 0;
  int row = 0;
  while (row < kHighScoreRows && ReadRowLine(file, text, &length)) {
    if (IsBlankLine(text, length)) continue;
    ParseRow(text, length, &table.rows[row++]);
  }
  return 0;
}

int LoadHighScores(const char* path) {
  if (unsavedPath[0] && std::strcmp(path, unsavedPath) == 0) {
    table = unsavedTable;
    return 0;
  }
  FILE* file = std::fopen(path, "rb");
  if (!file) {
    std::memcpy(table.rows, kDefaultRows, sizeof kDefaultRows);
    return 0;
  }
  LoadHighScoresStream(file);
  std::fclose(file);
  return 0;
}

int WriteHighScoresStream(FILE* file) { return WriteRows(file, table.rows); }

int SaveHighScores(const char* path) {
  if (SaveFileSafely(path, WriteRows, table.rows) == 0) {
    if (std::strcmp(path, unsavedPath) == 0) unsavedPath[0] = '\0';
    return 0;
  }
  std::fprintf(stderr, "%s", msg::MsgScoreSave);
  if (std::strlen(path) < sizeof unsavedPath) {
    std::strcpy(unsavedPath, path);
    unsavedTable = table;
  }
  return 0;
}

void InsertHighScore(const char* name, int score, int itemPercent, int scoreTail) {
  int p = 0;
  while (p < kHighScoreRows && table.rows[p].score > score) p++;
  if (p == kHighScoreRows) return;
  for (int r = kHighScoreRows - 1; r > p; r--) table.rows[r] = table.rows[r - 1];
  HighScoreEntry& row = table.rows[p];
  std::memset(row.name, 0, sizeof row.name);
  for (int i = 0; name && i < kNameLength && name[i]; i++) row.name[i] = name[i];
  row.score = score;
  row.itemPercent = itemPercent;
  row.scoreTail = scoreTail;
}

int HighScoreQualifies(int score) { return score >= table.rows[kHighScoreRows - 1].score; }

void SetScoreFilePath(const char* path) {
  if (!path || std::strlen(path) >= sizeof scorePath) path = "";
  std::strcpy(scorePath, path);
  unsavedPath[0] = '\0';
}

const char* ScoreFilePath() { return scorePath[0] ? scorePath : kScoreFilePath; }
