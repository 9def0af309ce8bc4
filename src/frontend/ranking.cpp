#include "frontend/ranking.h"

#include <cstdio>

#include "base/media_slots.h"
#include "engine/scene.h"
#include "frontend/front_state.h"
#include "frontend/high_scores.h"
#include "graphics/sprite_update.h"
#include "input/input.h"

namespace {

constexpr int kRankingStart = 1500;
constexpr int kRowX = 200;
constexpr int kRowY = 150;
constexpr int kRowStep = 48;
constexpr int kFadeInFrames = 120;

}  // namespace

void FormatRankingRow(char* out, size_t size, const HighScoreEntry& row) {
  // The name field has room for three letters; never read past it.
  std::snprintf(out, size, "%3.3s %3d %8d %02d", row.name, row.itemPercent, row.score, row.scoreTail);
}

void SetUpRanking(System* sys) {
  SpriteList* layer = sys->layers[LayerScreens];
  if (Sprite* background = AllocSprite(layer, TheFrontState()->sysBitmaps, kRankingStart)) {
    SetSpritePos(background, 0, 0);
    background->frame = FrameRanking;
    background->visible = 1;
    FadeInSprite(background, kFadeInFrames);
  }
  const HighScoreTable* table = TheHighScores();
  for (int r = 0; r < kHighScoreRows; r++) {
    Sprite* text = AllocTextSprite(layer, sys->font, kRankingStart);
    if (!text) continue;
    text->visible = 1;
    SetSpritePos(text, kRowX, kRowY + kRowStep * r);
    FadeInSprite(text, kFadeInFrames);
    FormatRankingRow(text->text, sizeof text->text, table->rows[r]);
  }
}

void UpdateRanking(System* sys) {
  PollInput(sys->input);
  if (sys->input->pressed[ButtonZ] || sys->input->enterPressed) sys->sceneEnd = 1;
}

void ShowRanking(System* sys) {
  ClearHighScores();
  sys->updateLayer[LayerScreens] = UpdateRanking;
  LoadHighScores(ScoreFilePath());
  SetUpRanking(sys);
  RunScene(sys);
  ClearScene(sys, LayerScreens);
}
