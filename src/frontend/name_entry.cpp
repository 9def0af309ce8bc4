#include "frontend/name_entry.h"

#include <cstdio>
#include <cstring>

#include "base/media_slots.h"
#include "engine/scene.h"
#include "frontend/front_state.h"
#include "frontend/high_scores.h"
#include "frontend/ranking.h"
#include "graphics/font.h"
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
constexpr int kLetterStep = kFontAdvance;
constexpr int kLetterDelay = 8;
constexpr int kMoveDelay = 12;
constexpr int kBoxSlide = 10;
constexpr int kFadeFrames = 60;
constexpr int kClosingFrames = 60;

// This screen's record inside FrontState, by a short name; the state lives there.
NameEntryScreen& entry = TheFrontState()->nameEntry;

void ResetNameEntry() {
  const int delay = entry.delay;
  entry = NameEntryScreen{};
  entry.delay = delay;
  std::memcpy(entry.typed, "___", sizeof entry.typed);
}

int ResultItemPercent(const FrontState* front) { return ItemPercent(front->itemsTaken, front->itemsTotal); }

void SetLetter(int index) {
  entry.letter = index;
  entry.typed[entry.position] = NameAlphabet[entry.letter];
  if (entry.line) entry.line->text[entry.position] = NameAlphabet[entry.letter];
  entry.delay = kLetterDelay;
}

void MoveBox(int step) {
  entry.position += step;
  entry.delay = kMoveDelay;
  if (entry.box)
    MoveSpriteTo(entry.box, FixedToPixels(entry.box->x), FixedToPixels(entry.box->y),
                 kBoxX + kLetterStep * entry.position, kBoxY, kBoxSlide);
}

void Confirm(System* sys) {
  entry.confirmed = true;
  EndSceneAfter(sys, kClosingFrames);
  FadeOutSprites(sys->layers[LayerScreens], kFadeFrames);
  const FrontState* front = TheFrontState();
  InsertHighScore(entry.typed, front->score, ResultItemPercent(front), front->scoreTail);
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
  entry.line = AllocTextSprite(layer, sys->font, kTextStart);
  if (entry.line) {
    entry.line->visible = 1;
    SetSpritePos(entry.line, kLineX, kLineY);
    FormatNameEntryLine(entry.line->text, sizeof entry.line->text, ResultItemPercent(front), front->score,
                        front->scoreTail);
  }
  entry.box = AllocSprite(layer, front->sysBitmaps, kTextStart);
  if (entry.box) {
    SetSpritePos(entry.box, kBoxX, kBoxY);
    entry.box->frame = FrameNameBox;
    entry.box->visible = 1;
  }
  entry.background = AllocSprite(layer, front->sysBitmaps, kBackgroundStart);
  if (entry.background) {
    SetSpritePos(entry.background, 0, 0);
    entry.background->frame = FrameNameEntry;
    entry.background->visible = 1;
  }
  FadeInSprites(layer, kFadeFrames);
}

void UpdateNameEntry(System* sys) {
  InputState* input = sys->input;
  PollInput(input);
  if (entry.delay != 0 && --entry.delay != 0) return;
  if (entry.confirmed) return;

  // Several of these may act in one frame, in this order. Moving the box
  // keeps the letter index, so the next change on the new position goes on
  // from the last letter set.
  if (input->pressed[Up] && entry.position < kNameLength)
    SetLetter(entry.letter == 0 ? kNameAlphabetSize - 1 : entry.letter - 1);
  if (input->pressed[Down] && entry.position < kNameLength - 1)
    SetLetter(entry.letter == kNameAlphabetSize - 1 ? 0 : entry.letter + 1);
  if (input->pressed[Left] && entry.position >= 1) MoveBox(-1);
  if (input->pressed[Right] && entry.position < kNameLength - 1) MoveBox(1);
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
