// The desktop icon and the PNG files it is written as. ImageMagick's
// `stream` decodes them, so the encoder is checked against a decoder that
// owes nothing to it.
#include "icon.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "png_writer.h"
#include "support/test_system.h"

namespace {

std::span<const uint8_t> Bytes(const std::string& s) { return {reinterpret_cast<const uint8_t*>(s.data()), s.size()}; }

// The picture's pixels as ImageMagick reads the file: RGBA, row by row;
// empty when it cannot be read.
std::string DecodeRgba(const std::string& png, const TempDir& dir) {
  const std::string raw = dir.File("decoded.rgba");
  std::remove(raw.c_str());
  const std::string command = "stream -map rgba -storage-type char '" + png + "' '" + raw + "' 2>/dev/null";
  if (std::system(command.c_str()) != 0) return "";
  return ReadFile(raw);
}

bool HaveDecoder() { return std::system("command -v stream >/dev/null 2>&1") == 0; }

void ExpectPixels(const Image& img, const std::string& rgba, const std::string& what) {
  ASSERT_EQ(rgba.size(), size_t(img.width()) * img.height() * 4) << what;
  int wrong = 0;
  for (int y = 0; y < img.height(); y++)
    for (int x = 0; x < img.width(); x++) {
      const auto* p = reinterpret_cast<const uint8_t*>(rgba.data()) + (size_t(y) * img.width() + x) * 4;
      const bool filled = img.Filled(x, y);
      const Rgb c = filled ? img.At(x, y) : Rgb{};
      if (p[3] != (filled ? 255 : 0) || (filled && (p[0] != c.r || p[1] != c.g || p[2] != c.b))) {
        if (++wrong <= 3) ADD_FAILURE() << what << ": pixel " << x << "," << y << " reads back wrong";
      }
    }
  EXPECT_EQ(wrong, 0) << what;
}

TEST(PngWriter, ChecksumsGiveTheirStandardCheckValues) {
  EXPECT_EQ(Crc32(Bytes("123456789")), 0xCBF43926u);
  EXPECT_EQ(Crc32(Bytes("")), 0u);
  EXPECT_EQ(Adler32(Bytes("Wikipedia")), 0x11E60398u);
  EXPECT_EQ(Adler32(Bytes("")), 1u);
  // Long enough for both Adler-32 sums to wrap their modulus many times
  // (the value is zlib's adler32 of the same bytes).
  EXPECT_EQ(Adler32(Bytes(std::string(100000, '\xff'))), 0x149A302Cu);
}

// The builder's icons: 128 pixels span two stored deflate blocks, and both
// sizes have transparent corners; a single pixel is the smallest picture.
TEST(Icon, TheBuilderWritesEachAskedSizeAsAPngThatAnIndependentDecoderReads) {
  if (!HaveDecoder()) GTEST_SKIP() << "ImageMagick's stream is not installed";
  TempDir dir;
  const std::string command = std::string(RUNEBLOCK_MEDIAGEN) + " --icon 64 '" + dir.File("64.png") + "' --icon 128 '" +
                              dir.File("128.png") + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  for (int size : {64, 128}) {
    const Image icon = DrawIcon(size);
    ASSERT_EQ(icon.width(), size);
    ExpectPixels(icon, DecodeRgba(dir.File(std::to_string(size) + ".png"), dir), std::to_string(size));
  }
  Image single(1, 1);
  single.Set(0, 0, {1, 2, 3});
  const std::vector<uint8_t> png = EncodePng(single);
  WriteFile(dir.File("single.png"), std::string(png.begin(), png.end()));
  ExpectPixels(single, DecodeRgba(dir.File("single.png"), dir), "single");
}

TEST(Icon, SizesThatAreNotWholeScalesAreRefused) {
  TempDir dir;
  for (const char* size : {"0", "50", "96", "64x", "-64", "999999999999"}) {
    const std::string path = dir.File("icon.png");
    const std::string command = std::string(RUNEBLOCK_MEDIAGEN) + " --icon '" + size + "' '" + path + "' 2>/dev/null";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << size;
    EXPECT_EQ(ReadFile(path), "") << size << " wrote a file";
  }
  EXPECT_EQ(DrawIcon(50).width(), 0);
}

}  // namespace
