#include "frontend/name_entry.h"

#include <cstdio>
#include <cstring>

#include "base/media_slots.h"
#include "engine/scene.h"
#include "frontend/front_state.h"
#include "frontend/high_scores.h"
#include "frontend/ranking.h"
#include "graphics/sprite_update.h"
#include "input/input.h"
#include "sound/sound_bank.h"

namespace {

constexpr int kBackgroundStart = 1100;
constexpr int kTextStart = 1500;
constexpr int kLineX = 200;
constexpr int kLineY = 160;
constexpr int kBoxX = 196;
constexpr int kBoxY = 156;
constexpr int kLetterStep = 12;  // the font's pen step
constexpr int kLetterDelay = 8;
constexpr int kMoveDelay = 12;
constexpr int kBoxSlide = 10;
constexpr int kFadeFrames = 60;
constexpr int kClosingFrames = 60;

Sprite* background = nullptr;
Sprite* line = nullptr;
Sprite* box = nullptr;
int position = 0;
int letter = 0;
int delay = 0;  // kept from one name entry to the next
// The name as typed, also when the line sprite could not be had.
char typed[kNameLength + 1] = "___";
// Once the name is confirmed the closing frames take no more input, so a
// second confirm cannot enter the result twice.
bool confirmed = false;

void ResetNameEntry() {
  background = nullptr;
  line = nullptr;
  box = nullptr;
  position = 0;
  letter = 0;
  std::memcpy(typed, "___", sizeof typed);
  confirmed = false;
}

int ResultItemPercent(const FrontState* front) { return ItemPercent(front->itemsTaken, front->itemsTotal); }

void SetLetter(int index) {
  letter = index;
  typed[position] = NameAlphabet[letter];
  if (line) line->text[position] = NameAlphabet[letter];
  delay = kLetterDelay;
}

void MoveBox(int step) {
  position += step;
  delay = kMoveDelay;
  if (box)
    MoveSpriteTo(box, FixedToPixels(box->x), FixedToPixels(box->y), kBoxX + kLetterStep * position, kBoxY, kBoxSlide);
}

void Confirm(System* sys) {
  confirmed = true;
  EndSceneAfter(sys, kClosingFrames);
  FadeOutSprites(sys->layers[LayerScreens], kFadeFrames);
  const FrontState* front = TheFrontState();
  InsertHighScore(typed, front->score, ResultItemPercent(front), front->scoreTail);
}

}  // namespace

int ItemPercent(int itemsTaken, int itemsTotal) {
  if (itemsTotal == 0) return 0;
  return static_cast<int>(static_cast<long long>(itemsTaken) * 100 / itemsTotal);
}

void FormatNameEntryLine(char* out, size_t size, int itemPercent, int score, int scoreTail) {
  std::snprintf(out, size, "___ %3d%% %8d%02d", itemPercent, score, scoreTail);
}

void SetUpNameEntry(System* sys) {
  SpriteList* layer = sys->layers[LayerScreens];
  const FrontState* front = TheFrontState();
  line = AllocTextSprite(layer, sys->font, kTextStart);
  if (line) {
    line->visible = 1;
    SetSpritePos(line, kLineX, kLineY);
    FormatNameEntryLine(line->text, sizeof line->text, ResultItemPercent(front), front->score, front->scoreTail);
  }
  box = AllocSprite(layer, front->sysBitmaps, kTextStart);
  if (box) {
    SetSpritePos(box, kBoxX, kBoxY);
    box->frame = FrameNameBox;
    box->visible = 1;
  }
  background = AllocSprite(layer, front->sysBitmaps, kBackgroundStart);
  if (background) {
    SetSpritePos(background, 0, 0);
    background->frame = FrameNameEntry;
    background->visible = 1;
  }
  FadeInSprites(layer, kFadeFrames);
}

void UpdateNameEntry(System* sys) {
  InputState* input = sys->input;
  PollInput(input);
  if (delay != 0 && --delay != 0) return;
  if (confirmed) return;

  // Several of these may act in one frame, in this order. Moving the box
  // keeps the letter index, so the next change on the new position goes on
  // from the last letter set.
  if (input->pressed[Up] && position < kNameLength) SetLetter(letter == 0 ? kNameAlphabetSize - 1 : letter - 1);
  if (input->pressed[Down] && position < kNameLength - 1) SetLetter(letter == kNameAlphabetSize - 1 ? 0 : letter + 1);
  if (input->pressed[Left] && position >= 1) MoveBox(-1);
  if (input->pressed[Right] && position < kNameLength - 1) MoveBox(1);
  if (input->pressed[ButtonC]) Confirm(sys);
}

void EnterHighScore(System* sys) {
  ClearHighScores();
  ResetNameEntry();
  const char* path = ScoreFilePath();
  LoadHighScores(path);
  if (!HighScoreQualifies(TheFrontState()->score)) return;
  sys->updateLayer[LayerScreens] = UpdateNameEntry;
  SetUpNameEntry(sys);
  PlayLoop(sys->sound, LoopHighScore);
  RunScene(sys);
  // Also after a quit without a confirmed name: the table is written back.
  SaveHighScores(path);
  ClearScene(sys, LayerScreens);
  ShowRanking(sys);
}
