#include "bmp_writer.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "base/byte_order.h"

namespace {

constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// Scales 0..255 to 0..levels-1; `offset` (-0.5..0.5 of a step) dithers.
int Quantise(int value, int levels, float offset) {
  const float v = value * (levels - 1) / 255.0f + offset;
  return std::clamp(int(v + 0.5f), 0, levels - 1);
}

void Put(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  out.resize(out.size() + bytes);
  WriteLittleEndian(out.data() + out.size() - bytes, v, bytes);
}
void Put16(std::vector<uint8_t>& out, uint32_t v) { Put(out, v, 2); }
void Put32(std::vector<uint8_t>& out, uint32_t v) { Put(out, v, 4); }

}  // namespace

uint16_t To565(Rgb c, PictureKeying keying, int x, int y) {
  const float offset = keying == KeyNone ? (kBayer[y & 3][x & 3] + 0.5f) / 16.0f - 0.5f : 0.0f;
  const int r = Quantise(c.r, 32, offset), g = Quantise(c.g, 64, offset), b = Quantise(c.b, 32, offset);
  uint16_t v = uint16_t((r << 11) | (g << 5) | b);
  if (v == 0 && keying == KeyBlack) v = (1 << 5) | 1;
  return v;
}

std::vector<uint8_t> EncodeBmp(const Image& img, PictureKeying keying) {
  const int w = img.width(), h = img.height();
  const int rowBytes = (w * 2 + 3) & ~3;
  const uint32_t headerBytes = 14 + 40 + 12;
  const uint32_t dataBytes = uint32_t(rowBytes) * h;
  std::vector<uint8_t> out;
  out.reserve(headerBytes + dataBytes);
  out.push_back('B');
  out.push_back('M');
  Put32(out, headerBytes + dataBytes);
  Put32(out, 0);
  Put32(out, headerBytes);
  Put32(out, 40);
  Put32(out, uint32_t(w));
  Put32(out, uint32_t(h));
  Put16(out, 1);
  Put16(out, 16);
  Put32(out, 3);  // BI_BITFIELDS
  Put32(out, dataBytes);
  Put32(out, 2835);  // 72 dpi
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0xF800);
  Put32(out, 0x07E0);
  Put32(out, 0x001F);
  for (int y = h - 1; y >= 0; y--) {
    for (int x = 0; x < w; x++) Put16(out, img.Filled(x, y) ? To565(img.At(x, y), keying, x, y) : 0);
    for (int pad = w * 2; pad < rowBytes; pad++) out.push_back(0);
  }
  return out;
}

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
  const std::string temp = path + ".tmp" + std::to_string(getpid());
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (std::fclose(f) != 0 || !written || std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}
