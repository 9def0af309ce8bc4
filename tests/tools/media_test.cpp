// The generated ./Media tree as the game sees it: every slot the code draws
// or plays loads through the game's own loaders with the size its use needs,
// in the screen's pixel format, and the builder writes the same bytes on
// every run.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "bmp_writer.h"
#include "engine/game_resources.h"
#include "graphics/bitmap_set.h"
#include "graphics/font.h"
#include "sound/sound_bank.h"
#include "support/test_system.h"
#include "synth.h"

namespace fs = std::filesystem;

namespace {

struct Size {
  int w, h;
};

std::vector<int> Range(int first, int last) {
  std::vector<int> v;
  for (int i = first; i <= last; i++) v.push_back(i);
  return v;
}

// Loads a folder's list the way the game does; a clean load prints nothing.
BitmapSet* LoadSet(const char* dir) {
  BitmapSet* set = CreateBitmapSet(256);
  CapturedStream err(stderr);
  EXPECT_EQ(LoadBitmapDir(set, dir), 0) << dir;
  EXPECT_EQ(err.Text(), "") << dir;
  return set;
}

Uint16 PixelAt(SDL_Surface* s, int x, int y) {
  return *reinterpret_cast<Uint16*>(static_cast<Uint8*>(s->pixels) + y * s->pitch + x * 2);
}

bool ColumnsDrawn(SDL_Surface* s, int x0, int x1) {
  for (int y = 0; y < s->h; y++)
    for (int x = x0; x <= x1; x++)
      if (PixelAt(s, x, y) != 0) return true;
  return false;
}

int LowestDrawnRow(SDL_Surface* s) {
  for (int y = s->h - 1; y >= 0; y--)
    for (int x = 0; x < s->w; x++)
      if (PixelAt(s, x, y) != 0) return y;
  return -1;
}

void ExpectSlots(BitmapSet* set, const std::vector<int>& slots, Size size, const char* what) {
  for (int slot : slots) {
    SDL_Surface* s = GetBitmap(set, slot);
    ASSERT_NE(s, nullptr) << what << " slot " << slot;
    EXPECT_EQ(s->w, size.w) << what << " slot " << slot;
    EXPECT_EQ(s->h, size.h) << what << " slot " << slot;
  }
}

bool IsKeyed(SDL_Surface* s) { return (s->flags & SDL_SRCCOLORKEY) != 0 && s->format->colorkey == 0; }

TEST(MediaTree, EverySystemSlotLoadsWithTheSizeItsUseNeeds) {
  BitmapSet* set = LoadSet(kSysBitmapDir);
  ExpectSlots(set, Range(1, 14), {48, 48}, "tile");
  EXPECT_EQ(GetBitmap(set, 0), nullptr) << "an empty cell draws nothing";
  ExpectSlots(set, {20, 21, 22}, {48, 48}, "door and key");
  ExpectSlots(set, Range(40, 57), {48, 48}, "item");
  ExpectSlots(set, Range(80, 87), {48, 48}, "fireball");
  ExpectSlots(set, {100, 101}, {24, 24}, "spark");
  ExpectSlots(set, {102, 103}, {48, 48}, "puff");
  ExpectSlots(set, {150, 153, 161, 162, 163, 164, 165, 200}, {640, 480}, "screen");
  ExpectSlots(set, {201}, {16, 16}, "wipe square");
  SDL_Surface* box = GetBitmap(set, 180);
  ASSERT_NE(box, nullptr);
  // Drawn at (196 + 12 pos, 156) around the letter cell at (200 + 12 pos, 160).
  EXPECT_GE(box->w, 20);
  EXPECT_GE(box->h, 20);
  DestroyBitmapSet(set);
}

TEST(MediaTree, PlayerFramesFitTheCellAndCastsReachPastIt) {
  BitmapSet* set = LoadSet(kCharBitmapDir);
  ExpectSlots(set, {10, 11, 12, 15, 30, 31, 32, 35}, {48, 48}, "player");
  ExpectSlots(set, {13, 14, 16, 17, 33, 34, 36, 37}, {60, 48}, "casting player");
  ExpectSlots(set, Range(50, 53), {48, 48}, "death");
  // Feet on the cell's bottom row, where the floor is.
  for (int slot : {10, 11, 12, 15, 30, 31, 32, 35}) EXPECT_EQ(LowestDrawnRow(GetBitmap(set, slot)), 47) << slot;
  // The full casts reach 12 pixels beyond the cell on the side faced, and
  // the body stays in the cell: at the left of a right-facing frame, at the
  // right of a left-facing one, which the game draws 12 pixels further left.
  for (int slot : {14, 17}) {
    EXPECT_TRUE(ColumnsDrawn(GetBitmap(set, slot), 48, 59)) << slot;
    EXPECT_TRUE(ColumnsDrawn(GetBitmap(set, slot), 0, 11)) << slot;
  }
  for (int slot : {34, 37}) {
    EXPECT_TRUE(ColumnsDrawn(GetBitmap(set, slot), 0, 11)) << slot;
    EXPECT_TRUE(ColumnsDrawn(GetBitmap(set, slot), 48, 59)) << slot;
  }
  DestroyBitmapSet(set);
}

TEST(MediaTree, EveryEnemyFrameLoadsInACell) {
  BitmapSet* set = LoadSet(kEnemyBitmapDir);
  std::vector<int> slots = {0, 10, 11};
  for (auto [first, last] :
       {std::pair{20, 23}, {30, 33}, {40, 47}, {50, 53}, {60, 65}, {70, 77}, {80, 83}, {100, 105}, {110, 113}}) {
    const std::vector<int> r = Range(first, last);
    slots.insert(slots.end(), r.begin(), r.end());
  }
  ExpectSlots(set, slots, {48, 48}, "enemy");
  for (int slot : slots) EXPECT_TRUE(IsKeyed(GetBitmap(set, slot))) << slot;
  DestroyBitmapSet(set);
}

TEST(MediaTree, TheMapListPutsTheBackdropInItsSlotOpaque) {
  BitmapSet* set = LoadSet("./Media/map/");
  ExpectSlots(set, {153}, {640, 480}, "backdrop");
  EXPECT_EQ(GetBitmap(set, 153)->flags & SDL_SRCCOLORKEY, 0u);
  DestroyBitmapSet(set);
}

TEST(MediaTree, FullScreensAreOpaqueAndSpritesKeyedOnBlack) {
  BitmapSet* set = LoadSet(kSysBitmapDir);
  const std::set<int> opaque = {150, 153, 161, 162, 163, 164, 165, 200, 201};
  for (int slot = 0; slot < 256; slot++) {
    SDL_Surface* s = GetBitmap(set, slot);
    if (!s) continue;
    if (opaque.count(slot))
      EXPECT_EQ(s->flags & SDL_SRCCOLORKEY, 0u) << slot;
    else
      EXPECT_TRUE(IsKeyed(s)) << slot;
  }
  // Sprites that do not fill their cell show what is behind them.
  for (int slot : {22, 40, 47, 57, 80, 100, 102, 180}) EXPECT_EQ(PixelAt(GetBitmap(set, slot), 0, 0), 0) << slot;
  // The key is also the menu cursor at x 250, beside entries at x 280.
  EXPECT_FALSE(ColumnsDrawn(GetBitmap(set, 22), 30, 47));
  // The name box leaves the letter inside it visible.
  SDL_Surface* box = GetBitmap(set, 180);
  for (int y = 4; y < 20; y++)
    for (int x = 4; x < 16; x++) EXPECT_EQ(PixelAt(box, x, y), 0) << x << "," << y;
  DestroyBitmapSet(set);
}

TEST(MediaTree, EveryBmpIsSixteenBit565) {
  int checked = 0;
  for (const auto& entry : fs::recursive_directory_iterator("./Media")) {
    if (entry.path().extension() != ".bmp") continue;
    SDL_Surface* s = SDL_LoadBMP_RW(SDL_RWFromFile(entry.path().c_str(), "rb"), 1);
    ASSERT_NE(s, nullptr) << entry.path();
    EXPECT_EQ(s->format->BitsPerPixel, 16) << entry.path();
    EXPECT_EQ(s->format->Rmask, 0xF800u) << entry.path();
    EXPECT_EQ(s->format->Gmask, 0x07E0u) << entry.path();
    EXPECT_EQ(s->format->Bmask, 0x001Fu) << entry.path();
    SDL_FreeSurface(s);
    checked++;
  }
  EXPECT_GT(checked, 100);
}

TEST(MediaTree, TheFontSheetHasOutlinedGlyphsInColumnOrder) {
  BitmapFont* font = LoadFont(kFontPath);
  ASSERT_NE(font, nullptr);
  SDL_Surface* sheet = font->sheet;
  ASSERT_EQ(sheet->w, 256);
  ASSERT_EQ(sheet->h, 256);
  const Uint16 magenta = 0xF81F;
  for (int y = 240; y < 256; y++)
    for (int x = 240; x < 256; x++) ASSERT_EQ(PixelAt(sheet, x, y), magenta) << "the blank cell";
  EXPECT_EQ(font->glyphs['A'].x, 32);
  EXPECT_EQ(font->glyphs['A'].y, 0);
  EXPECT_EQ(font->glyphs['0'].y, 240);
  for (int c = 33; c <= 126; c++) {
    const SDL_Rect r = font->glyphs[c];
    int light = 0, dark = 0, widest = 0;
    for (int y = r.y; y < r.y + 16; y++)
      for (int x = r.x; x < r.x + 16; x++) {
        const Uint16 p = PixelAt(sheet, x, y);
        if (p == magenta) continue;
        widest = std::max(widest, x - r.x);
        const int green = (p >> 5) & 63;
        if (green > 48) light++;
        if (green < 12) dark++;
      }
    EXPECT_GT(light, 0) << "code " << c << " has no glyph";
    EXPECT_GT(dark, 0) << "code " << c << " has no outline";
    // Within the 12-pixel pen step, so neighbours never overdraw each other's letters.
    EXPECT_LE(widest, 12) << "code " << c;
  }
  DestroyFont(font);
}

std::string Field(const std::string& bytes, size_t at, int size) { return bytes.substr(at, size); }
uint32_t Le(const std::string& bytes, size_t at, int size) {
  uint32_t v = 0;
  for (int i = size - 1; i >= 0; i--) v = (v << 8) | static_cast<uint8_t>(bytes[at + i]);
  return v;
}

class MediaSounds : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
    ASSERT_EQ(OpenAudio(), 1);
    bank = CreateSoundBank(256);
    CapturedStream err(stderr);
    EXPECT_EQ(LoadSoundDir(bank, kSoundDir), 0);
    EXPECT_EQ(err.Text(), "");
  }
  void TearDown() override {
    DestroySoundBank(bank);
    CloseAudio();
  }
  double Seconds(int slot) { return bank->chunks[slot]->alen / 4.0 / 22050.0; }
  SoundBank* bank = nullptr;
};

TEST_F(MediaSounds, EveryPlayedSlotLoadsWithAFittingLength) {
  for (int slot = SndMenuSelect; slot <= SndEnemyDown; slot++) {
    ASSERT_NE(bank->chunks[slot], nullptr) << slot;
    EXPECT_GT(Seconds(slot), 0.1) << slot;
    EXPECT_LT(Seconds(slot), 1.5) << slot;
  }
  for (int slot : {LoopTitle, LoopLevel, LoopHighScore}) {
    ASSERT_NE(bank->chunks[slot], nullptr) << slot;
    EXPECT_GE(Seconds(slot), 20.0) << slot;
  }
}

TEST_F(MediaSounds, FilesAreInTheMixersFormatAndLoopsWrapWithoutAClick) {
  for (const auto& entry : fs::directory_iterator(kSoundDir)) {
    if (entry.path().extension() != ".wav") continue;
    const std::string wav = ReadFile(entry.path());
    ASSERT_GE(wav.size(), 44u);
    EXPECT_EQ(Field(wav, 0, 4), "RIFF");
    EXPECT_EQ(Field(wav, 8, 8), "WAVEfmt ");
    EXPECT_EQ(Le(wav, 20, 2), 1u) << "PCM";
    EXPECT_EQ(Le(wav, 22, 2), 2u) << "stereo";
    EXPECT_EQ(Le(wav, 24, 4), 22050u);
    EXPECT_EQ(Le(wav, 34, 2), 16u);
    EXPECT_EQ(Le(wav, 40, 4), wav.size() - 44);
  }
  for (int slot : {LoopTitle, LoopLevel, LoopHighScore}) {
    const Mix_Chunk* chunk = bank->chunks[slot];
    const auto* samples = reinterpret_cast<const int16_t*>(chunk->abuf);
    const int count = int(chunk->alen / 2);
    // Chip voices have sharp edges of their own, so the step from the last
    // frame back to the first only has to be no sharper than the sharpest
    // steps inside the loop; a loop cut off mid-note usually is.
    std::vector<int> jumps;
    for (int i = 2; i < count; i++) jumps.push_back(std::abs(samples[i] - samples[i - 2]));
    auto percentile = jumps.begin() + jumps.size() * 999 / 1000;
    std::nth_element(jumps.begin(), percentile, jumps.end());
    for (int channel = 0; channel < 2; channel++)
      EXPECT_LE(std::abs(samples[channel] - samples[count - 2 + channel]), *percentile) << slot;
  }
}

TEST(MediaBuilder, WritesTheSameBytesOnEveryRun) {
  TempDir first, second;
  for (const TempDir* dir : {&first, &second}) {
    const std::string command = std::string(RUNEBLOCK_MEDIAGEN) + " '" + dir->path() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
  }
  std::set<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(first.path()))
    if (entry.is_regular_file()) names.insert(fs::relative(entry.path(), first.path()).string());
  std::set<std::string> others;
  for (const auto& entry : fs::recursive_directory_iterator(second.path()))
    if (entry.is_regular_file()) others.insert(fs::relative(entry.path(), second.path()).string());
  EXPECT_EQ(names, others);
  EXPECT_TRUE(names.count("bmp/sys/font.bmp"));
  EXPECT_TRUE(names.count("map/list.txt"));
  for (const std::string& name : names) {
    const std::string a = ReadFile(first.File(name));
    EXPECT_FALSE(a.empty()) << name;
    EXPECT_TRUE(a == ReadFile(second.File(name))) << name << " differs between runs";
  }
}

TEST(MediaBuilder, ALoopingTrackCarriesNotesPastItsEndOverToItsStart) {
  Track loop(100, true), once(100, false);
  const std::vector<float> note(30, 0.5f);
  loop.Add(note, 90, 1.0f);
  once.Add(note, 90, 1.0f);
  const std::vector<int16_t> looped = loop.Finish(0.5f), cut = once.Finish(0.5f);
  // Frames 90-99 and, wrapped, 0-19 sound; 20-89 stay silent.
  EXPECT_EQ(looped[0], looped[2 * 95]);
  EXPECT_EQ(looped[2 * 19], looped[2 * 95]);
  EXPECT_EQ(looped[2 * 20], 0);
  EXPECT_EQ(cut[0], 0);
  EXPECT_NE(cut[2 * 95], 0);
}

TEST(MediaBuilder, QuantisesSoKeyedShadowsStayOpaqueAndTheFontKeyStaysExact) {
  EXPECT_NE(To565({0, 0, 0}, Keying::Keyed), 0) << "a drawn black pixel must not become transparent";
  EXPECT_NE(To565({3, 2, 3}, Keying::Keyed), 0);
  EXPECT_EQ(To565({0, 0, 0}, Keying::Opaque), 0);
  EXPECT_EQ(To565({255, 0, 255}, Keying::Keyed), 0xF81F);
  EXPECT_EQ(To565({255, 255, 255}, Keying::Opaque, 3, 1), 0xFFFF);
  EXPECT_EQ(To565({8, 4, 8}, Keying::Keyed), (1 << 11) | (1 << 5) | 1);
}

TEST(MediaBuilder, EncodesBottomUpRowsPaddedToFourBytesWithBitfields) {
  Image img(3, 2);
  img.Set(0, 0, {255, 0, 0});
  img.Set(2, 1, {0, 0, 255});
  const std::vector<uint8_t> bytes = EncodeBmp(img, Keying::Keyed);
  const std::string b(bytes.begin(), bytes.end());
  EXPECT_EQ(Field(b, 0, 2), "BM");
  EXPECT_EQ(Le(b, 2, 4), b.size());
  EXPECT_EQ(Le(b, 14, 4), 40u);
  EXPECT_EQ(Le(b, 28, 2), 16u);
  EXPECT_EQ(Le(b, 30, 4), 3u);
  EXPECT_EQ(Le(b, 54, 4), 0xF800u);
  EXPECT_EQ(Le(b, 58, 4), 0x07E0u);
  EXPECT_EQ(Le(b, 62, 4), 0x001Fu);
  const size_t data = Le(b, 10, 4);
  ASSERT_EQ(b.size(), data + 2 * 8);
  // The bottom row comes first: its last pixel is blue; then the top row, red first.
  EXPECT_EQ(Le(b, data + 4, 2), 0x001Fu);
  EXPECT_EQ(Le(b, data + 8, 2), 0xF800u);
  EXPECT_EQ(Le(b, data + 10, 2), 0u) << "unfilled pixels are the transparent black";
}

}  // namespace
