// The generated ./Media tree as the game sees it: every slot of the media
// table loads through the game's own loaders with the size and keying its
// use needs, and nothing else is listed; the art keeps the few promises the
// game's drawing relies on; and the builder writes the same bytes every run.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "base/media_slots.h"
#include "bmp_writer.h"
#include "flow/game_resources.h"
#include "graphics/bitmap_set.h"
#include "graphics/font.h"
#include "sound/sound_bank.h"
#include "support/test_system.h"

namespace fs = std::filesystem;

namespace {

Uint16 PixelAt(SDL_Surface* s, int x, int y) {
  return *reinterpret_cast<Uint16*>(static_cast<Uint8*>(s->pixels) + y * s->pitch + x * 2);
}

bool ColumnsDrawn(SDL_Surface* s, int x0, int x1) {
  for (int y = 0; y < s->h; y++)
    for (int x = x0; x <= x1; x++)
      if (PixelAt(s, x, y) != 0) return true;
  return false;
}

bool RowDrawn(SDL_Surface* s, int y) {
  for (int x = 0; x < s->w; x++)
    if (PixelAt(s, x, y) != 0) return true;
  return false;
}

class MediaTree : public testing::Test {
 protected:
  void SetUp() override {
    const char* dirs[] = {kSysBitmapDir, kCharBitmapDir, kEnemyBitmapDir, kMapDir};
    for (int i = 0; i < 4; i++) {
      sets[i] = CreateBitmapSet(256);
      EXPECT_EQ(OutputOf(stderr, [&] { EXPECT_EQ(LoadBitmapDir(sets[i], dirs[i]), 0); }), "") << dirs[i];
    }
  }
  void TearDown() override {
    for (BitmapSet* set : sets) DestroyBitmapSet(set);
  }
  SDL_Surface* At(PictureSet set, int slot) const { return GetBitmap(sets[set], slot); }
  BitmapSet* sets[4] = {};
};

TEST_F(MediaTree, EverySlotOfTheTableLoadsWithItsSizeAndKeyingAndNothingElseIsListed) {
  std::set<std::pair<int, int>> listed;
  for (const PictureSlots& slots : kPictureSlots) {
    for (int slot = slots.first; slot <= slots.last; slot++) {
      SCOPED_TRACE(testing::Message() << slots.use << ", set " << slots.set << " slot " << slot);
      listed.insert({slots.set, slot});
      SDL_Surface* s = At(slots.set, slot);
      ASSERT_NE(s, nullptr);
      EXPECT_EQ(s->w, slots.width);
      EXPECT_EQ(s->h, slots.height);
      EXPECT_EQ((s->flags & SDL_SRCCOLORKEY) != 0, slots.keying == KeyBlack);
      if (slots.keying == KeyBlack) {
        EXPECT_EQ(s->format->colorkey, 0u);
      }
    }
  }
  for (int set = 0; set < 4; set++)
    for (int slot = 0; slot < 256; slot++)
      EXPECT_TRUE(!GetBitmap(sets[set], slot) || listed.count({set, slot})) << "set " << set << " slot " << slot;
}

TEST_F(MediaTree, TheArtKeepsWhatTheDrawingReliesOn) {
  // Feet on the cell's bottom row, where the floor is.
  for (int frame : {FramePlayerStand, FramePlayerStride, FramePlayerSquat, FramePlayerCrouch}) {
    for (int slot : {frame, frame + kPlayerLeft}) {
      SDL_Surface* s = At(SetCharacter, slot);
      int lowest = s->h - 1;
      while (lowest >= 0 && !RowDrawn(s, lowest)) lowest--;
      EXPECT_EQ(lowest, 47) << slot;
    }
  }
  // Sprites that do not fill their cell show what is behind them.
  for (int slot : {int{FrameKey}, FrameItemBase + 1, FrameItemBase + 18, int{FrameFireball}, int{FrameSpark},
                   int{FramePuff}, int{FrameNameBox}})
    EXPECT_EQ(PixelAt(At(SetSystem, slot), 0, 0), 0) << slot;
  // The key is also the menu cursor at x 250, beside entries at x 280.
  EXPECT_FALSE(ColumnsDrawn(At(SetSystem, FrameKey), 30, 47));
  // The name box, drawn 4 pixels up and left of a letter, leaves it visible.
  SDL_Surface* box = At(SetSystem, FrameNameBox);
  for (int y = 4; y < 20; y++)
    for (int x = 4; x < 16; x++) ASSERT_EQ(PixelAt(box, x, y), 0) << x << "," << y;
}

TEST(MediaFiles, EveryBmpIsSixteenBit565AndTheFontHasOutlinedGlyphsInTheirCells) {
  int checked = 0;
  for (const auto& entry : fs::recursive_directory_iterator("./Media")) {
    if (entry.path().extension() != ".bmp") continue;
    SDL_Surface* s = SDL_LoadBMP_RW(SDL_RWFromFile(entry.path().c_str(), "rb"), 1);
    ASSERT_NE(s, nullptr) << entry.path();
    EXPECT_EQ(s->format->BitsPerPixel, 16) << entry.path();
    EXPECT_EQ((std::vector<Uint32>{s->format->Rmask, s->format->Gmask, s->format->Bmask}),
              (std::vector<Uint32>{0xF800, 0x07E0, 0x001F}));
    SDL_FreeSurface(s);
    checked++;
  }
  EXPECT_GT(checked, 100);

  BitmapFont* font = LoadFont(kFontPath);
  ASSERT_NE(font, nullptr);
  SDL_Surface* sheet = font->sheet;
  ASSERT_EQ(sheet->w, 256);
  const Uint16 magenta = 0xF81F;
  for (int y = 240; y < 256; y++)
    for (int x = 240; x < 256; x++) ASSERT_EQ(PixelAt(sheet, x, y), magenta) << "the blank cell";
  EXPECT_EQ(font->glyphs['A'].x, 32);
  EXPECT_EQ(font->glyphs['0'].y, 240);
  for (int c = 33; c <= 126; c++) {
    const SDL_Rect r = font->glyphs[c];
    int light = 0, dark = 0, widest = 0;
    for (int y = r.y; y < r.y + 16; y++)
      for (int x = r.x; x < r.x + 16; x++) {
        const Uint16 p = PixelAt(sheet, x, y);
        if (p == magenta) continue;
        widest = std::max(widest, x - r.x);
        light += ((p >> 5) & 63) > 48;
        dark += ((p >> 5) & 63) < 12;
      }
    EXPECT_GT(light, 0) << "code " << c << " has no glyph";
    EXPECT_GT(dark, 0) << "code " << c << " has no outline";
    // Within the 12-pixel pen step, so neighbours never overdraw each other.
    EXPECT_LE(widest, 12) << "code " << c;
  }
  DestroyFont(font);
}

uint32_t Le(const std::string& bytes, size_t at, int size) {
  uint32_t v = 0;
  for (int i = size - 1; i >= 0; i--) v = (v << 8) | static_cast<uint8_t>(bytes[at + i]);
  return v;
}

TEST(MediaFiles, EverySoundSlotLoadsInTheMixersFormatWithItsLengthAndLoopsWrapWithoutAClick) {
  ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
  ASSERT_EQ(OpenAudio(), 1);
  SoundBank* bank = CreateSoundBank(256);
  EXPECT_EQ(OutputOf(stderr, [&] { EXPECT_EQ(LoadSoundDir(bank, kSoundDir), 0); }), "");
  for (const auto& entry : fs::directory_iterator(kSoundDir)) {
    const std::string wav = ReadFile(entry.path());
    if (entry.path().extension() != ".wav") continue;
    ASSERT_GE(wav.size(), 44u);
    EXPECT_EQ(wav.substr(0, 4) + wav.substr(8, 8), "RIFFWAVEfmt ") << entry.path();
    // PCM, stereo, 22050 Hz, 16 bits, and a data chunk that fills the file.
    EXPECT_EQ((std::vector<size_t>{Le(wav, 20, 2), Le(wav, 22, 2), Le(wav, 24, 4), Le(wav, 34, 2), Le(wav, 40, 4)}),
              (std::vector<size_t>{1, 2, 22050, 16, wav.size() - 44}))
        << entry.path();
  }
  for (const SoundSlots& sounds : kSoundSlots) {
    for (int slot = sounds.first; slot <= sounds.last; slot++) {
      SCOPED_TRACE(testing::Message() << sounds.use << " " << slot);
      const Mix_Chunk* chunk = bank->chunks[slot];
      ASSERT_NE(chunk, nullptr);
      const long millis = chunk->alen / 4 * 1000L / 22050;
      EXPECT_GE(millis, sounds.minMillis);
      EXPECT_LE(millis, sounds.maxMillis);
    }
  }
  for (int slot = LoopTitle; slot <= LoopHighScore; slot++) {
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
  DestroySoundBank(bank);
  CloseAudio();
}

TEST(MediaBuilder, WritesTheSameBytesOnEveryRun) {
  TempDir first, second;
  for (const TempDir* dir : {&first, &second})
    ASSERT_EQ(std::system((std::string(RUNEBLOCK_MEDIAGEN) + " '" + dir->path() + "'").c_str()), 0);
  std::set<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(first.path()))
    if (entry.is_regular_file()) names.insert(fs::relative(entry.path(), first.path()).string());
  EXPECT_TRUE(names.count("bmp/sys/font.bmp") && names.count("map/list.txt"));
  for (const auto& entry : fs::recursive_directory_iterator(second.path()))
    EXPECT_TRUE(!entry.is_regular_file() || names.count(fs::relative(entry.path(), second.path()).string()));
  for (const std::string& name : names) {
    const std::string a = ReadFile(first.File(name));
    EXPECT_FALSE(a.empty()) << name;
    EXPECT_TRUE(a == ReadFile(second.File(name))) << name << " differs between runs";
  }
}

TEST(MediaBuilder, ColoursQuantiseWithoutHolesAndTheFontKeyStaysExact) {
  EXPECT_NE(To565({0, 0, 0}, KeyBlack), 0) << "a drawn black pixel must not become transparent";
  EXPECT_NE(To565({3, 2, 3}, KeyBlack), 0);
  EXPECT_EQ(To565({0, 0, 0}, KeyNone), 0);
  EXPECT_EQ(To565({255, 0, 255}, KeyBlack), 0xF81F);
  EXPECT_EQ(To565({255, 255, 255}, KeyNone, 3, 1), 0xFFFF);
  EXPECT_EQ(To565({8, 4, 8}, KeyBlack), (1 << 11) | (1 << 5) | 1);
}

}  // namespace
