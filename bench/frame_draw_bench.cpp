// Drawing cost of a typical level frame through the sprite layers, against
// the same pixel work done as bare SDL blits.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "graphics/bitmap_set.h"
#include "graphics/font.h"
#include "graphics/sprite_draw.h"

namespace {

SDL_Surface* MakeSurface(int w, int h, int depth, Uint32 colour, bool keyed) {
  SDL_Surface* surface = depth == 16 ? SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 16, 0xF800, 0x07E0, 0x001F, 0)
                                     : SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
  SDL_FillRect(surface, nullptr, colour);
  // A transparent border, as sprite pictures have around their figure.
  SDL_Rect border = {0, 0, static_cast<Uint16>(w), 4};
  SDL_FillRect(surface, &border, 0);
  if (keyed) SDL_SetColorKey(surface, SDL_SRCCOLORKEY, 0);
  return surface;
}

struct FrameScene {
  SDL_Surface* screen;
  BitmapSet* set;
  BitmapFont font;
  SpriteList* list;
  struct Blit {
    SDL_Surface* surface;
    SDL_Rect source;
    bool whole;
    int x, y;
  };
  std::vector<Blit> floor;  // what DrawSprites ends up blitting, precomputed

  explicit FrameScene(int depth) {
    screen = SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, 16, 0xF800, 0x07E0, 0x001F, 0);
    set = CreateBitmapSet(256);
    set->bitmaps[153] = MakeSurface(640, 480, depth, 0x123456, false);
    for (int i = 10; i <= 12; i++) set->bitmaps[i] = MakeSurface(48, 48, depth, 0x808080 + i, true);
    for (int i = 40; i < 60; i++) set->bitmaps[i] = MakeSurface(48, 48, depth, 0xC0A000 + i, true);
    for (int i = 0; i < 256; i++)
      if (set->bitmaps[i]) set->blendBitmaps[i] = CreateBlendTwin(set->bitmaps[i]);
    font = BitmapFont{};
    font.sheet = MakeSurface(256, 256, depth, 0xFFFFFF, true);
    font.glyphWidth = font.glyphHeight = 16;
    LayoutFontGlyphs(&font, 16);
    font.advance = kFontAdvance;
    list = CreateSpriteList(3072);
    list->cameraX = 160 << 12;
    list->cameraY = 240 << 12;
    Add(153, 0, 0, 0);
    for (int row = 0; row < 20; row++)
      for (int col = 0; col < 20; col++) {
        const bool wall = row == 0 || col == 0 || row == 19 || col == 19 || (row % 4 == 3 && col % 3 != 0);
        Add(wall ? 10 + (row + col) % 3 : 0, col * 48, row * 48, 1);
      }
    for (int i = 0; i < 40; i++) Add(40 + i % 20, 160 + (i * 37) % 640, 240 + (i * 53) % 480, 1);
    AddText("Life   9999 Score    120", 0, 0);
    AddText("Magic x   5", 0, 463);
    BuildFloor();
  }
  ~FrameScene() {
    DestroySpriteList(list);
    DestroyBitmapSet(set);
    SDL_FreeSurface(font.sheet);
    SDL_FreeSurface(screen);
  }
  void Add(int frame, int x, int y, int camera) {
    Sprite* sprite = AllocSprite(list, set, 100);
    sprite->frame = frame;
    sprite->visible = 1;
    sprite->cameraRelative = camera;
    sprite->x = x << 12;
    sprite->y = y << 12;
  }
  void AddText(const char* text, int x, int y) {
    Sprite* sprite = AllocTextSprite(list, &font, 1500);
    sprite->visible = 1;
    std::snprintf(sprite->text, sizeof sprite->text, "%s", text);
    sprite->x = x << 12;
    sprite->y = y << 12;
  }
  void BuildFloor() {
    for (int i = 0; i < list->capacity; i++) {
      const Sprite& s = list->sprites[i];
      if (!s.inUse || !s.visible) continue;
      int x = s.x >> 12, y = s.y >> 12;
      if (s.cameraRelative == 1) {
        x -= list->cameraX >> 12;
        y -= list->cameraY >> 12;
      }
      if (s.kind == KindText) {
        for (int c = 0; s.text[c]; c++)
          floor.push_back({font.sheet, font.glyphs[static_cast<unsigned char>(s.text[c])], false, x + 12 * c, y});
      } else if (SDL_Surface* bitmap = GetBitmap(set, s.frame)) {
        if (x < 640 && y < 480 && x > -bitmap->w && y > -bitmap->h) floor.push_back({bitmap, {}, true, x, y});
      }
    }
  }
};

void DrawFrame(benchmark::State& state, int depth) {
  FrameScene scene(depth);
  for (auto _ : state) {
    DrawSprites(scene.list, scene.screen);
    benchmark::DoNotOptimize(scene.screen->pixels);
  }
}

void DrawFloor(benchmark::State& state, int depth) {
  FrameScene scene(depth);
  for (auto _ : state) {
    for (FrameScene::Blit& blit : scene.floor) {
      SDL_Rect dest = {static_cast<Sint16>(blit.x), static_cast<Sint16>(blit.y), 0, 0};
      SDL_UpperBlit(blit.surface, blit.whole ? nullptr : &blit.source, scene.screen, &dest);
    }
    benchmark::DoNotOptimize(scene.screen->pixels);
  }
}

void BM_frame_draw(benchmark::State& state) { DrawFrame(state, 16); }
void BM_frame_draw_floor(benchmark::State& state) { DrawFloor(state, 16); }
void BM_frame_draw_24bit(benchmark::State& state) { DrawFrame(state, 24); }

BENCHMARK(BM_frame_draw);
BENCHMARK(BM_frame_draw_floor);
BENCHMARK(BM_frame_draw_24bit);

}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  SDL_Init(SDL_INIT_VIDEO);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  SDL_Quit();
  return 0;
}
