#include "sound/sound_bank.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "base/byte_order.h"
#include "base/media_paths.h"
#include "base/messages.h"
#include "sound/riff_checks.h"
#include "support/alloc_counter.h"
#include "support/test_media.h"
#include "support/test_system.h"

namespace {

class SoundBankTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
    ASSERT_EQ(OpenAudio(), 1);
    bank = CreateSoundBank(256);
  }
  void TearDown() override {
    DestroySoundBank(bank);
    CloseAudio();
  }
  TempDir dir;
  SoundBank* bank = nullptr;
};

Mix_Chunk* LoadBytes(const std::string& bytes) {
  return LoadBoundedWAV(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())));
}

std::string ChunkBytes(const Mix_Chunk* chunk) {
  return chunk ? std::string(reinterpret_cast<const char*>(chunk->abuf), chunk->alen) : "<none>";
}

std::string Samples(size_t count) {
  std::string data;
  for (size_t i = 0; i < count; i++) data += static_cast<char>((i * 37) % 251);
  return data;
}

TEST_F(SoundBankTest, OneLoopSoundsAtATimeAndEmptySlotsOrBanksPlayNothing) {
  bank->chunks[50] = LoadBytes(TestWav(2205, 3));
  bank->chunks[51] = LoadBytes(TestWav(2205, 7));
  bank->chunks[SndShot] = LoadBytes(TestWav(220500, 5));  // ten seconds: it outlasts the test
  StopLoop(bank);
  EXPECT_EQ(bank->loopChannel, -1);
  ASSERT_GE(PlaySound(bank, SndShot), 0);
  const int first = PlayLoop(bank, 50);
  ASSERT_GE(first, 0);
  EXPECT_EQ(Mix_GetChunk(first), bank->chunks[50]);
  const int second = PlayLoop(bank, 51);
  ASSERT_GE(second, 0);
  EXPECT_EQ(bank->loopChannel, second);
  EXPECT_EQ(Mix_GetChunk(second), bank->chunks[51]);
  EXPECT_EQ(Mix_Playing(-1), 2) << "one loop, and the one-shot sound the loops did not cut";
  StopLoop(bank);
  EXPECT_EQ(bank->loopChannel, -1);
  EXPECT_EQ(Mix_Playing(-1), 1);
  StopLoop(bank);
  EXPECT_EQ(Mix_Playing(-1), 1) << "no loop to stop: the one-shot sound plays on";
  EXPECT_EQ(PlayLoop(bank, 52), -1);

  EXPECT_EQ(PlaySound(bank, 20), -1);
  EXPECT_EQ(PlaySound(bank, 9999), -1);
  EXPECT_EQ(PlaySound(nullptr, 10), -1);
  EXPECT_EQ(PlayLoop(nullptr, 50), -1);
  EXPECT_EQ(LoadSoundAt(nullptr, "none.wav", 1), -1);
  StopLoop(nullptr);
  DestroySoundBank(nullptr);
  EXPECT_EQ(CreateSoundBank(-1), nullptr);
}

// Every sound the game ships, and others in formats the mixer converts,
// loads to the same samples as the mixer's own loader gives.
TEST_F(SoundBankTest, ValidWavsLoadToTheSameSamplesAsTheMixerGives) {
  std::vector<std::string> files;
  for (const char* name : {"select", "make_block", "key", "item", "shot", "block_hit", "magic_break", "enemy_down",
                           "title_loop", "level_loop", "high_score_loop"})
    files.push_back(ReadFile(std::string(kSoundDir) + name + ".wav"));
  files.push_back(TestWav(2205, 5));
  files.push_back(PcmWav(1, 11025, 1, 8, Samples(301), 301));
  files.push_back(PcmWav(2, 22050, 2, 8, Samples(300), 300));  // only the sample format differs
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
  const std::string after = "junk" + PcmWav(1, 8000, 2, 16, data, static_cast<uint32_t>(data.size()));
  SDL_RWops* stream = SDL_RWFromConstMem(after.data(), static_cast<int>(after.size()));
  SDL_RWseek(stream, 4, RW_SEEK_SET);
  claimed = LoadBoundedWAV(stream);
  EXPECT_EQ(ChunkBytes(claimed), ChunkBytes(exact)) << "read from where the stream stands, as the mixer reads";
  Mix_FreeChunk(claimed);
  Mix_FreeChunk(exact);
  // A bare WAVE header without the RIFF one is a WAV to SDL too.
  Mix_Chunk* bare = LoadBytes(PcmWav(1, 8000, 2, 16, data, 0xFFFFFF80u).substr(8));
  EXPECT_NE(bare, nullptr);
  Mix_FreeChunk(bare);
}

// The odd chunk is followed by its pad byte, the last header by nothing.
TEST(RiffChunks, TheSizeAndEveryLengthAreCutToTheBytesThatFollow) {
  uint8_t wav[] = "RIFF\xff\xff\xff\xffWAVEodd \x03\0\0\0xyz\0LIST\x40\0\0\0";
  CutRiffChunks(wav, sizeof wav - 1);
  EXPECT_EQ(ReadLittleEndian(wav + 4, 4), 24u);
  EXPECT_EQ(ReadLittleEndian(wav + 16, 4), 3u);
  EXPECT_EQ(ReadLittleEndian(wav + 28, 4), 0u);
}

// Six channels with a two-byte frame size: the mixer's buffer was sized for
// no sample at all and it copied two bytes into it. Only the address
// sanitizer sees such an overrun.
TEST_F(SoundBankTest, AFrameSizeThatDisagreesWithTheChannelsStaysInsideItsBuffer) {
  if (!kAddressSanitizer) GTEST_SKIP() << "only the address sanitizer sees this fault";
  Mix_Chunk* chunk = LoadBytes(PcmWav(6, 8000, 2, 16, Samples(3), 0x64001000u));
  if (chunk) {
    EXPECT_EQ(chunk->alen % 4, 0u) << "whole frames of the mixer's format";
  }
  Mix_FreeChunk(chunk);
}

// The mixer also sniffs AIFF, Creative Voice, Ogg and FLAC; its Creative
// Voice loader leaked the samples of a first block when a later one was bad.
// A pipe would hold the start until a writer came; a 520 MiB sound crashed
// the conversion after 23 s, and a small one at a low rate converts to as
// much.
TEST_F(SoundBankTest, OnlyWavsOfASaneSizeInPlainFilesLoad) {
  WriteFile(dir.File("a.wav"), TestWav(2205, 3));
  WriteFile(dir.File("huge.wav"), PcmWav(1, 44100, 2, 16, "", 520u << 20));
  ASSERT_EQ(truncate(dir.File("huge.wav").c_str(), 44 + (520 << 20)), 0);  // sparse: quick and small on disk
  WriteFile(dir.File("slow.wav"), PcmWav(1, 1000, 1, 8, std::string(800 << 10, '\x80'), 800 << 10));
  ASSERT_EQ(mkfifo(dir.File("pipe.wav").c_str(), 0600), 0);
  std::string list, expected;
  const std::string others[] = {"mono16.aiff", "voice.voc", "finding-voice-leak.voc",
                                "huge.wav",    "slow.wav",  "pipe.wav"};
  for (int i = 0; i < 6; i++) {
    if (i < 3) {
      const std::string bytes = ReadFile("./tests/fuzz/corpus/wav/" + others[i]);
      ASSERT_FALSE(bytes.empty()) << others[i];
      if (i < 2) {  // files the mixer itself takes
        Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
        EXPECT_NE(chunk, nullptr) << others[i];
        Mix_FreeChunk(chunk);
      }
      WriteFile(dir.File(others[i]), bytes);
    }
    list += std::to_string(16 + i) + " " + others[i] + "\n";
    char line[512];
    std::snprintf(line, sizeof line, msg::MsgWavMissing, dir.File(others[i]).c_str());
    expected += line;
  }
  WriteFile(dir.File("list.txt"), list + "22 a.wav\n256 a.wav\n");
  char line[512];
  std::snprintf(line, sizeof line, msg::MsgSoundSlot, 256);
  CapturedStream captured(stderr);
  AllocationCounter counter;
  EXPECT_EQ(LoadSoundDir(bank, (dir.path() + "/").c_str()), 0);
  if (AllocationCounter::Available()) {
    EXPECT_LT(counter.Largest(), 16u << 20) << "a refused sound was read or converted first";
  }
  EXPECT_EQ(LoadSoundList(bank, dir.File("none.txt").c_str(), "./"), -1);
  EXPECT_EQ(LoadSoundList(nullptr, "x", "./"), -1);
  expected += line;
  std::snprintf(line, sizeof line, msg::MsgSoundListOpen, dir.File("none.txt").c_str());
  EXPECT_EQ(captured.Text(), expected + line + msg::MsgNoSoundBank);
  for (int slot = 16; slot <= 21; slot++) EXPECT_EQ(bank->chunks[slot], nullptr) << slot;
  EXPECT_NE(bank->chunks[22], nullptr);
}

TEST(SoundAudioDevice, ClosesOnlyWhatIsOpen) {
  EXPECT_EQ(CloseAudio(), -1);
  SDL_Init(SDL_INIT_AUDIO);
  ASSERT_EQ(OpenAudio(), 1);
  EXPECT_EQ(CloseAudio(), 0);
  EXPECT_EQ(CloseAudio(), -1);
}

}  // namespace
