#include "frontend/high_scores.h"

#include <climits>
#include <cstring>

#include "base/diagnostics.h"
#include "base/messages.h"
#include "base/regular_file.h"
#include "base/safe_save.h"
#include "base/text_lines.h"

namespace {

// The table and its file, for the whole run: every user clears the table
// before loading it; SetScoreFilePath sets the path and forgets the unsaved one.
struct ScoreBoard {
  HighScoreTable table;
  char path[kPathBufferSize];  // empty = kScoreFilePath
  // A table that could not be saved stays the table of its file for the rest
  // of the run: every screen reloads the file, which would drop the result
  // just entered on a full or read-only disk. A later save of that file that goes
  // through forgets it.
  HighScoreTable unsavedTable;
  char unsavedPath[kPathBufferSize];  // empty = every save went through
};
ScoreBoard scores = {};

const HighScoreEntry kDefaultRows[kHighScoreRows] = {
    {"ABC", 100, 10, 0}, {"DEF", 90, 9, 0}, {"GHI", 80, 8, 0}, {"JKL", 70, 7, 0}, {"MNO", 60, 6, 0},
};

// The file separates fields by white space, yet the name alphabet has a
// blank. A blank in a name is stored as this byte, which the alphabet never
// produces, and turned back on load; names without blanks are written as
// they always were.
constexpr char kStoredBlank = '~';

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// Words are read as fscanf reads them, separated by any white space, line
// feeds included, so fields may stand on lines of their own. Where fscanf
// would shift fields from row to row, the rows stay apart: a word that is no
// number ends its row, and is the next row's name when it begins a line (a
// row with fields missing) or is dropped with the rest of its line (a bad
// field).
struct ScoreWords {
  FILE* file;
  bool wordOnLine = false;  // a word was read since the last line feed
  bool held = false;        // the last word is still to be used
  // The last word: its first bytes, its whole length, and where it stood.
  char text[16] = {};
  int length = 0;
  bool firstOnLine = false;
  bool indented = false;  // first on a line that starts with a separator
};

// Reads the next word; false at the end of the file.
bool NextWord(ScoreWords* words) {
  if (words->held) {
    words->held = false;
    return true;
  }
  int c = std::fgetc(words->file);
  bool separatorFirst = false;
  for (; c != EOF && (IsSeparator(static_cast<char>(c)) || c == '\n'); c = std::fgetc(words->file)) {
    if (c == '\n') {
      words->wordOnLine = false;
      separatorFirst = false;
    } else if (!words->wordOnLine) {
      separatorFirst = true;
    }
  }
  if (c == EOF) return false;
  words->firstOnLine = !words->wordOnLine;
  words->indented = words->firstOnLine && separatorFirst;
  words->wordOnLine = true;
  words->length = 0;
  for (; c != EOF && !IsSeparator(static_cast<char>(c)) && c != '\n'; c = std::fgetc(words->file)) {
    if (words->length < static_cast<int>(sizeof words->text)) words->text[words->length] = static_cast<char>(c);
    words->length++;
  }
  if (c == '\n') std::ungetc(c, words->file);
  return true;
}

void DropRestOfLine(ScoreWords* words) {
  int c = std::fgetc(words->file);
  while (c != EOF && c != '\n') c = std::fgetc(words->file);
  words->wordOnLine = false;
}

// A whole word of optional sign and digits within the range of int; a word
// like "12x" or one too large for int is not a number.
bool ParseNumber(const ScoreWords& words, int* value) {
  if (words.length > static_cast<int>(sizeof words.text)) return false;
  const char* text = words.text;
  const int length = words.length;
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

// One row: the name (at most three bytes of its word) and three numbers.
// An empty name is written as a line that starts with its first number.
// False when the file ended before the row began.
bool ReadRow(ScoreWords* words, HighScoreEntry* row) {
  if (!NextWord(words)) return false;
  int value = 0;
  const bool emptyName = words->indented && ParseNumber(*words, &value);
  const int kept = emptyName ? 0 : (words->length < kNameLength ? words->length : kNameLength);
  for (int i = 0; i < kept; i++) row->name[i] = words->text[i] == kStoredBlank ? ' ' : words->text[i];
  row->name[kept] = '\0';
  words->held = emptyName;

  int* fields[] = {&row->score, &row->itemPercent, &row->scoreTail};
  for (int* field : fields) {
    if (!NextWord(words)) return true;
    if (!ParseNumber(*words, &value)) {
      if (words->firstOnLine)
        words->held = true;
      else
        DropRestOfLine(words);
      return true;
    }
    *field = value;
  }
  return true;
}

int WriteRows(FILE* file, void* context) {
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

HighScoreTable* TheHighScores() { return &scores.table; }

void ClearHighScores() { std::memset(&scores.table, 0, sizeof scores.table); }

int LoadHighScoresStream(FILE* file) {
  ScoreWords words{file};
  int row = 0;
  while (row < kHighScoreRows && ReadRow(&words, &scores.table.rows[row])) row++;
  return 0;
}

int LoadHighScores(const char* path) {
  if (scores.unsavedPath[0] && std::strcmp(path, scores.unsavedPath) == 0) {
    scores.table = scores.unsavedTable;
    return 0;
  }
  FILE* file = OpenRegularFile(path);
  if (!file) {
    std::memcpy(scores.table.rows, kDefaultRows, sizeof kDefaultRows);
    return 0;
  }
  LoadHighScoresStream(file);
  std::fclose(file);
  return 0;
}

int WriteHighScoresStream(FILE* file) { return WriteRows(file, scores.table.rows); }

int SaveHighScores(const char* path) {
  if (SaveFileSafely(path, nullptr, WriteRows, scores.table.rows) == 0) {
    if (std::strcmp(path, scores.unsavedPath) == 0) scores.unsavedPath[0] = '\0';
    return 0;
  }
  ReportDiagnostic("%s", msg::MsgScoreSave);
  if (std::strlen(path) < sizeof scores.unsavedPath) {
    std::strcpy(scores.unsavedPath, path);
    scores.unsavedTable = scores.table;
  }
  return 0;
}

void InsertHighScore(const char* name, int score, int itemPercent, int scoreTail) {
  int p = 0;
  while (p < kHighScoreRows && scores.table.rows[p].score > score) p++;
  if (p == kHighScoreRows) return;
  for (int r = kHighScoreRows - 1; r > p; r--) scores.table.rows[r] = scores.table.rows[r - 1];
  HighScoreEntry& row = scores.table.rows[p];
  std::memset(row.name, 0, sizeof row.name);
  for (int i = 0; name && i < kNameLength && name[i]; i++) row.name[i] = name[i];
  row.score = score;
  row.itemPercent = itemPercent;
  row.scoreTail = scoreTail;
}

int HighScoreQualifies(int score) { return score >= scores.table.rows[kHighScoreRows - 1].score; }

void SetScoreFilePath(const char* path) {
  if (!path || std::strlen(path) >= sizeof scores.path) path = "";
  std::strcpy(scores.path, path);
  scores.unsavedPath[0] = '\0';
}

const char* ScoreFilePath() { return scores.path[0] ? scores.path : kScoreFilePath; }
