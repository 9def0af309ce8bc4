#include "sound/sound_bank.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "engine/messages.h"
#include "support/alloc_counter.h"
#include "support/test_system.h"

namespace {

// A short valid WAV in the mixer's own format; `tone` makes files differ.
std::string MakeWav(int tone) {
  const int frames = 2205;
  std::string data;
  for (int i = 0; i < frames; i++) {
    const int16_t sample = static_cast<int16_t>(((i * tone) % 200 - 100) * 100);
    for (int channel = 0; channel < 2; channel++) data.append(reinterpret_cast<const char*>(&sample), 2);
  }
  auto u32 = [](uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [](uint16_t v) { return std::string(reinterpret_cast<const char*>(&v), 2); };
  return "RIFF" + u32(36 + data.size()) + "WAVEfmt " + u32(16) + u16(1) + u16(2) + u32(22050) + u32(22050 * 4) +
         u16(4) + u16(16) + "data" + u32(data.size()) + data;
}

class SoundBankTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
    ASSERT_EQ(OpenAudio(), 1);
    bank = CreateSoundBank(256);
    WriteFile(dir.File("a.wav"), MakeWav(3));
    WriteFile(dir.File("b.wav"), MakeWav(7));
  }
  void TearDown() override {
    DestroySoundBank(bank);
    CloseAudio();
  }

  std::string LoadList(const std::string& list) {
    WriteFile(dir.File("list.txt"), list);
    CapturedStream captured(stderr);
    EXPECT_EQ(LoadSoundDir(bank, (dir.path() + "/").c_str()), 0);
    return captured.Text();
  }
  std::string Message(const char* format, const std::string& arg) {
    char text[8192];
    std::snprintf(text, sizeof text, format, arg.c_str());
    return text;
  }

  TempDir dir;
  SoundBank* bank = nullptr;
};

TEST_F(SoundBankTest, ASlotTabNameAndCommentLoadsIntoThatSlot) {
  EXPECT_EQ(LoadList("10\ta.wav\t# menu select\r\n"), "");
  EXPECT_NE(bank->chunks[10], nullptr);
  for (int i = 0; i < 256; i++) {
    if (i != 10) {
      EXPECT_EQ(bank->chunks[i], nullptr);
    }
  }
}

TEST_F(SoundBankTest, BlanksThenHashAndAWordIsNotACommentButLoadsNothing) {
  EXPECT_EQ(LoadList("  # word\n"), "");
  for (int i = 0; i < 256; i++) EXPECT_EQ(bank->chunks[i], nullptr);
}

TEST_F(SoundBankTest, TheLaterOfTwoLinesForOneSlotWins) {
  LoadList("12 a.wav\n");
  const Uint32 firstLength = bank->chunks[12]->alen;
  LoadList("12 a.wav\n12 b.wav\n");
  ASSERT_NE(bank->chunks[12], nullptr);
  EXPECT_EQ(bank->chunks[12]->alen, firstLength);  // same length, different file
  Mix_Chunk* b = Mix_LoadWAV_RW(SDL_RWFromFile(dir.File("b.wav").c_str(), "rb"), 1);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(bank->chunks[12]->abuf), 64),
            std::string(reinterpret_cast<char*>(b->abuf), 64));
  Mix_FreeChunk(b);
}

TEST_F(SoundBankTest, SlotNumbersOutsideTheBankAreRefusedAndReadingGoesOn) {
  const std::string err = LoadList("256 a.wav\n-3 a.wav\n11 a.wav\n");
  char expected[256];
  std::snprintf(expected, sizeof expected, msg::MsgSoundSlot, 256);
  std::string both = expected;
  std::snprintf(expected, sizeof expected, msg::MsgSoundSlot, -3);
  both += expected;
  EXPECT_EQ(err, both);
  EXPECT_NE(bank->chunks[11], nullptr);
}

TEST_F(SoundBankTest, AMissingWavIsReportedWithItsFullPath) {
  const std::string err = LoadList("13 missing.wav\n14 a.wav\n");
  EXPECT_EQ(err, Message(msg::MsgWavMissing, dir.path() + "/missing.wav"));
  EXPECT_EQ(bank->chunks[13], nullptr);
  EXPECT_NE(bank->chunks[14], nullptr);
}

TEST_F(SoundBankTest, AMissingListIsReportedAndAnOverlongPathRefused) {
  CapturedStream captured(stderr);
  EXPECT_EQ(LoadSoundList(bank, dir.File("none.txt").c_str(), "./"), -1);
  EXPECT_EQ(captured.Text(), Message(msg::MsgSoundListOpen, dir.File("none.txt")));
  EXPECT_EQ(LoadSoundList(nullptr, "x", "./"), -1);
  const std::string longName(5000, 'a');
  WriteFile(dir.File("list.txt"), "15 " + longName.substr(0, 4090) + "\n");
  EXPECT_EQ(LoadSoundDir(bank, (dir.path() + "/").c_str()), 0);
  EXPECT_EQ(bank->chunks[15], nullptr);
}

TEST_F(SoundBankTest, PlayLoopReplacesTheLoopAndStopLoopIsSafeWithoutOne) {
  LoadList("50 a.wav\n51 b.wav\n");
  StopLoop(bank);
  EXPECT_EQ(bank->loopChannel, -1);
  const int first = PlayLoop(bank, 50);
  ASSERT_GE(first, 0);
  EXPECT_EQ(Mix_GetChunk(first), bank->chunks[50]);
  const int second = PlayLoop(bank, 51);
  ASSERT_GE(second, 0);
  EXPECT_EQ(bank->loopChannel, second);
  EXPECT_EQ(Mix_Playing(first), first == second ? 1 : 0);
  EXPECT_EQ(Mix_GetChunk(second), bank->chunks[51]);
  EXPECT_EQ(Mix_Playing(-1), 1) << "exactly one loop sounds";
  StopLoop(bank);
  EXPECT_EQ(bank->loopChannel, -1);
  EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(SoundBankTest, EmptySlotsAndMissingBanksPlayNothing) {
  EXPECT_EQ(PlaySound(bank, 20), -1);
  EXPECT_EQ(PlaySound(bank, 9999), -1);
  EXPECT_EQ(PlaySound(nullptr, 10), -1);
  EXPECT_EQ(PlayLoop(nullptr, 50), -1);
  StopLoop(nullptr);
  DestroySoundBank(nullptr);
  EXPECT_EQ(CreateSoundBank(-1), nullptr);
}

// A PCM WAV whose header fields are given separately, so they can disagree.
std::string PcmWav(int channels, int rate, int blockAlign, int bits, const std::string& data, uint32_t claimed) {
  auto u32 = [](uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [](uint16_t v) { return std::string(reinterpret_cast<const char*>(&v), 2); };
  return "RIFF" + u32(36 + data.size()) + "WAVEfmt " + u32(16) + u16(1) + u16(channels) + u32(rate) +
         u32(rate * blockAlign) + u16(blockAlign) + u16(bits) + "data" + u32(claimed) + data;
}

std::string Samples(size_t count) {
  std::string data;
  for (size_t i = 0; i < count; i++) data += static_cast<char>((i * 37) % 251);
  return data;
}

Mix_Chunk* LoadBytes(const std::string& bytes) {
  return LoadBoundedWAV(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())));
}

std::string ChunkBytes(const Mix_Chunk* chunk) {
  return chunk ? std::string(reinterpret_cast<const char*>(chunk->abuf), chunk->alen) : "<none>";
}

// Every sound the game ships, and others in formats the mixer converts,
// loads to the same samples as the mixer's own loader gives.
TEST_F(SoundBankTest, ValidWavsLoadToTheSameSamplesAsTheMixerGives) {
  std::vector<std::string> files;
  for (const char* name : {"select", "make_block", "key", "item", "shot", "block_hit", "magic_break", "enemy_down",
                           "title_loop", "level_loop", "high_score_loop"})
    files.push_back(ReadFile(std::string("./Media/wav/") + name + ".wav"));
  files.push_back(MakeWav(5));
  files.push_back(PcmWav(1, 11025, 1, 8, Samples(301), 301));
  files.push_back(PcmWav(1, 44100, 2, 16, Samples(900), 900));
  files.push_back(PcmWav(2, 8000, 4, 16, Samples(400), 400));
  files.push_back(PcmWav(2, 22050, 4, 16, Samples(402), 402));  // a partial last frame
  for (size_t i = 0; i < files.size(); i++) {
    ASSERT_GT(files[i].size(), 44u) << i;
    Mix_Chunk* mine = LoadBytes(files[i]);
    Mix_Chunk* mixer = Mix_LoadWAV_RW(SDL_RWFromConstMem(files[i].data(), static_cast<int>(files[i].size())), 1);
    ASSERT_NE(mine, nullptr) << i;
    EXPECT_EQ(ChunkBytes(mine), ChunkBytes(mixer)) << i;
    EXPECT_EQ(mine->volume, mixer->volume);
    Mix_FreeChunk(mine);
    Mix_FreeChunk(mixer);
  }
}

// SDL allocates the length a chunk claims before reading it; a 45-byte file
// claimed four gigabytes. A short chunk loads what it holds, as before.
TEST_F(SoundBankTest, AChunkClaimingMoreThanTheFileHoldsLoadsWhatItHolds) {
  const std::string data = Samples(2000);
  AllocationCounter counter;
  Mix_Chunk* claimed = LoadBytes(PcmWav(1, 8000, 2, 16, data, 0xFB000003u));
  if (AllocationCounter::Available()) {
    EXPECT_LT(counter.Largest(), 1u << 24);
  }
  Mix_Chunk* exact = LoadBytes(PcmWav(1, 8000, 2, 16, data, static_cast<uint32_t>(data.size())));
  ASSERT_NE(claimed, nullptr);
  EXPECT_EQ(ChunkBytes(claimed), ChunkBytes(exact));
  Mix_FreeChunk(claimed);
  Mix_FreeChunk(exact);
  // A bare WAVE header without the RIFF one is a WAV to SDL too.
  Mix_Chunk* bare = LoadBytes(PcmWav(1, 8000, 2, 16, data, 0xFFFFFF80u).substr(8));
  EXPECT_NE(bare, nullptr);
  Mix_FreeChunk(bare);
}

// Six channels with a two-byte frame size: the mixer's buffer was sized for
// no sample at all and it copied two bytes into it.
TEST_F(SoundBankTest, AFrameSizeThatDisagreesWithTheChannelsStaysInsideItsBuffer) {
  const std::string file = PcmWav(6, 8000, 2, 16, Samples(3), 0x64001000u);
  Mix_Chunk* chunk = LoadBytes(file);
  if (chunk) PlaySound(bank, SndShot);
  Mix_FreeChunk(chunk);
  WriteFile(dir.File("six.wav"), file);
  LoadList("14 six.wav\n");
  PlaySound(bank, SndShot);
}

// The mixer also sniffs AIFF, Creative Voice, Ogg and FLAC; its Creative
// Voice loader leaked the samples of a first block when a later one was bad.
TEST_F(SoundBankTest, OnlyWavsLoad) {
  const std::string others[] = {"mono16.aiff", "voice.voc", "finding-voice-leak.voc"};
  std::string list, expected;
  for (int i = 0; i < 3; i++) {
    const std::string bytes = ReadFile("./tests/fuzz/corpus/wav/" + others[i]);
    ASSERT_FALSE(bytes.empty()) << others[i];
    if (i < 2) {  // files the mixer itself takes
      Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
      EXPECT_NE(chunk, nullptr) << others[i];
      Mix_FreeChunk(chunk);
    }
    WriteFile(dir.File(others[i]), bytes);
    list += std::to_string(16 + i) + " " + others[i] + "\n";
    expected += Message(msg::MsgWavMissing, dir.path() + "/" + others[i]);
  }
  EXPECT_EQ(LoadList(list + "19 a.wav\n"), expected);
  for (int slot = 16; slot <= 18; slot++) EXPECT_EQ(bank->chunks[slot], nullptr) << slot;
  EXPECT_NE(bank->chunks[19], nullptr);
}

TEST(SoundAudioDevice, CloseWithoutOpenReturnsMinusOne) {
  EXPECT_EQ(CloseAudio(), -1);
  SDL_Init(SDL_INIT_AUDIO);
  ASSERT_EQ(OpenAudio(), 1);
  EXPECT_EQ(CloseAudio(), 0);
  EXPECT_EQ(CloseAudio(), -1);
}

}  // namespace
