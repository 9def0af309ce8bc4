#include "bench_support.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/scene.h"
#include "flow/game_resources.h"
#include "flow/headless.h"
#include "game/replay.h"
#include "graphics/bitmap_set.h"
#include "graphics/font.h"
#include "input/input.h"

HeadlessGame::HeadlessGame() : sys_(StartHeadlessGame(HeadlessPictures)) {
  if (!sys_) std::abort();
}

HeadlessGame::~HeadlessGame() { StopHeadlessGame(sys_); }

std::vector<std::string> SolutionPaths() {
  std::vector<std::string> paths;
  for (int level = 1; level <= kLevelCount; level++) {
    const std::string path = "tests/data/solutions/level" + std::to_string(level) + ".rbr";
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
      std::fclose(file);
      paths.push_back(path);
    }
  }
  return paths;
}

bool LoadRecording(const std::string& path, Recording* recording) {
  char error[128];
  return LoadRecordingFile(path.c_str(), recording, error, sizeof error) == 0;
}

void PlaySnapshot::Take(const System* sys) {
  game_ = *sys->game;
  for (int i = 0; i < kLayerCount; i++) {
    const SpriteList* list = sys->layers[i];
    lists_[i] = *list;
    sprites_[i].assign(list->sprites, list->sprites + list->capacity);
  }
  scene_ = *sys;
  input_ = *sys->input;
}

namespace {

// Everything of the list record but where its slots live.
void RestoreListFields(SpriteList* list, const SpriteList& saved) {
  Sprite* sprites = list->sprites;
  *list = saved;
  list->sprites = sprites;
}

}  // namespace

void PlaySnapshot::Restore(System* sys) const {
  *sys->game = game_;
  for (int i = 0; i < kLayerCount; i++) {
    SpriteList* list = sys->layers[i];
    std::memcpy(list->sprites, sprites_[i].data(), sizeof(Sprite) * list->capacity);
    RestoreListFields(list, lists_[i]);
  }
  sys->drawBackground = scene_.drawBackground;
  for (int i = 0; i < kLayerCount; i++) {
    sys->updateLayer[i] = scene_.updateLayer[i];
    sys->layerFlags[i] = scene_.layerFlags[i];
  }
  sys->preUpdate = scene_.preUpdate;
  sys->endCountdown = scene_.endCountdown;
  sys->sceneEnd = 0;
  sys->timer = scene_.timer;
  std::memcpy(sys->input->pressed, input_.pressed, sizeof input_.pressed);
  std::memcpy(sys->input->held, input_.held, sizeof input_.held);
}

void PlaySnapshot::RestoreLevel(System* sys) const {
  *sys->game = game_;
  SpriteList* world = sys->layers[1];
  std::memcpy(world->sprites, sprites_[1].data(), sizeof(Sprite) * world->capacity);
  RestoreListFields(world, lists_[1]);
}

int CountDrawnSprites(const System* sys) {
  int drawn = 0;
  for (const SpriteList* list : sys->layers)
    for (int i = 0; list && i < list->capacity; i++) {
      const Sprite& s = list->sprites[i];
      drawn += s.inUse && s.visible && s.delay == 0 && (s.bitmaps || s.font);
    }
  return drawn;
}

namespace {

struct Search {
  BusiestMoment* best;
  const Recording* recording;
  const std::string* path;
};

void Inspect(System* sys, int f, const int*, int, void* context) {
  auto* search = static_cast<Search*>(context);
  const int drawn = CountDrawnSprites(sys);
  if (drawn <= search->best->drawn || static_cast<size_t>(f) >= search->recording->inputCount) return;
  search->best->drawn = drawn;
  search->best->pass = f;
  search->best->recording = *search->path;
  search->best->nextInput = search->recording->inputs[f];
  search->best->snapshot.Take(sys);
}

}  // namespace

bool FindBusiestMoment(System* sys, BusiestMoment* moment) {
  bool any = false;
  for (const std::string& path : SolutionPaths()) {
    Recording recording;
    if (!LoadRecording(path, &recording)) continue;
    any = true;
    Search search{moment, &recording, &path};
    const ReplayObserver observer = {Inspect, &search, 0};
    ReplayOutcome outcome;
    RunReplay(sys, &recording, &observer, &outcome);
    FreeRecording(&recording);
  }
  return any;
}

std::vector<FloorBlit> BuildDrawList(const System* sys) {
  std::vector<FloorBlit> blits;
  for (const SpriteList* list : sys->layers) {
    for (int i = 0; list && i < list->highWater; i++) {
      const Sprite& s = list->sprites[i];
      if (!s.inUse || !s.visible || s.delay != 0 || (!s.bitmaps && !s.font)) continue;
      int x = s.x >> 12, y = s.y >> 12;
      if (s.cameraRelative == 1) {
        x = (s.x - list->cameraX) >> 12;
        y = (s.y - list->cameraY) >> 12;
      }
      const bool blended = s.alpha != 255;
      if (s.kind == KindText) {
        const BitmapFont* font = s.font;
        if (y <= -font->glyphHeight || y >= kScreenHeight) continue;
        for (int c = 0; s.text[c]; c++) {
          const int pen = x + font->advance * c;
          if (pen >= kScreenWidth) break;
          if (pen <= -font->glyphWidth) continue;
          const auto code = static_cast<unsigned char>(s.text[c]);
          blits.push_back({blended ? font->blendSheet : font->sheet, font->glyphs[code < kFontGlyphs ? code : 0], false,
                           pen, y, s.alpha});
        }
      } else if (SDL_Surface* bitmap = GetBitmap(s.bitmaps, s.frame)) {
        if (x >= kScreenWidth || y >= kScreenHeight || x <= -bitmap->w || y <= -bitmap->h) continue;
        blits.push_back({blended ? GetBlendBitmap(s.bitmaps, s.frame) : bitmap, {}, true, x, y, s.alpha});
      }
    }
  }
  return blits;
}

void BlitDrawList(const std::vector<FloorBlit>& blits, SDL_Surface* screen) {
  SDL_FillRect(screen, nullptr, 0);
  for (const FloorBlit& blit : blits) {
    // As the game does: a blend twin keeps its alpha until another is asked for.
    if (blit.alpha != 255 && blit.surface->format->alpha != blit.alpha)
      SDL_SetAlpha(blit.surface, SDL_SRCALPHA, static_cast<Uint8>(blit.alpha));
    SDL_Rect dest = {static_cast<Sint16>(blit.x), static_cast<Sint16>(blit.y), 0, 0};
    SDL_UpperBlit(blit.surface, blit.whole ? nullptr : const_cast<SDL_Rect*>(&blit.source), screen, &dest);
  }
}

bool DrawListMatchesFrame(System* sys) {
  SDL_Surface* screen = sys->screen;
  BlitDrawList(BuildDrawList(sys), screen);
  const size_t bytes = static_cast<size_t>(screen->pitch) * screen->h;
  std::vector<uint8_t> floor(static_cast<uint8_t*>(screen->pixels), static_cast<uint8_t*>(screen->pixels) + bytes);
  DrawSceneLayers(sys);
  return std::memcmp(floor.data(), screen->pixels, bytes) == 0;
}
