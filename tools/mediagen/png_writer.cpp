#include "png_writer.h"

#include <algorithm>
#include <array>

#include "base/byte_order.h"

namespace {

constexpr size_t kStoredBlockMax = 65535;

void PutBig32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data) {
  PutBig32(out, uint32_t(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBig32(out, Crc32(std::span(out).subspan(start)));
}

// A zlib stream of stored deflate blocks.
std::vector<uint8_t> Zlib(const std::vector<uint8_t>& raw) {
  std::vector<uint8_t> out = {0x78, 0x01};
  size_t done = 0;
  do {
    const size_t n = std::min(kStoredBlockMax, raw.size() - done);
    const bool last = done + n == raw.size();
    out.push_back(last ? 1 : 0);
    uint8_t lengths[4];  // the block's length and its complement, little-endian
    WriteLittleEndian(lengths, uint32_t(n), 2);
    WriteLittleEndian(lengths + 2, uint32_t(~n), 2);
    out.insert(out.end(), lengths, lengths + 4);
    out.insert(out.end(), raw.begin() + done, raw.begin() + done + n);
    done += n;
  } while (done < raw.size());
  PutBig32(out, Adler32(raw));
  return out;
}

}  // namespace

uint32_t Crc32(std::span<const uint8_t> bytes) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; n++) {
      uint32_t c = n;
      for (int k = 0; k < 8; k++) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  uint32_t crc = 0xFFFFFFFFu;
  for (uint8_t b : bytes) crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

uint32_t Adler32(std::span<const uint8_t> bytes) {
  constexpr uint32_t kMod = 65521;
  uint32_t a = 1, b = 0;
  for (uint8_t byte : bytes) {
    a = (a + byte) % kMod;
    b = (b + a) % kMod;
  }
  return (b << 16) | a;
}

std::vector<uint8_t> EncodePng(const Image& img) {
  const int w = img.width(), h = img.height();
  std::vector<uint8_t> raw;
  raw.reserve(size_t(h) * (1 + size_t(w) * 4));
  for (int y = 0; y < h; y++) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < w; x++) {
      const bool filled = img.Filled(x, y);
      const Rgb c = filled ? img.At(x, y) : Rgb{};
      raw.insert(raw.end(), {c.r, c.g, c.b, uint8_t(filled ? 255 : 0)});
    }
  }
  std::vector<uint8_t> header;
  PutBig32(header, uint32_t(w));
  PutBig32(header, uint32_t(h));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, adaptive filters, no interlace

  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", Zlib(raw));
  PutChunk(out, "IEND", {});
  return out;
}
