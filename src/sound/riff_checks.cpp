#include "sound/riff_checks.h"

#include <SDL_mixer.h>

#include <cstring>

#include "base/byte_order.h"

bool IsRiff(const uint8_t* data, size_t size) {
  return size >= 4 && (std::memcmp(data, "RIFF", 4) == 0 || std::memcmp(data, "WAVE", 4) == 0);
}

void CutRiffChunks(uint8_t* data, size_t size) {
  size_t at = 4;
  if (std::memcmp(data, "RIFF", 4) == 0) {
    if (size < 12) return;
    if (ReadLittleEndian(data + 4, 4) > size - 8) WriteLittleEndian(data + 4, static_cast<uint32_t>(size - 8), 4);
    at = 12;
  }
  while (size - at >= 8) {
    const size_t left = size - at - 8;
    uint32_t length = ReadLittleEndian(data + at + 4, 4);
    if (length > left) {
      length = static_cast<uint32_t>(left);
      WriteLittleEndian(data + at + 4, length, 4);
    }
    at += 8 + length;
    if (length % 2 && at < size) at++;  // chunks are padded to even lengths
  }
}

const uint8_t* FindRiffChunk(const uint8_t* data, size_t size, const char* id, size_t* length) {
  size_t at = std::memcmp(data, "RIFF", 4) == 0 ? 12 : 4;
  while (size >= at + 8) {
    *length = ReadLittleEndian(data + at + 4, 4);
    if (std::memcmp(data + at, id, 4) == 0) return data + at + 8;
    at += 8 + *length + (*length % 2);
  }
  return nullptr;
}

uint64_t ConvertedSoundBytes(const uint8_t* data, size_t size) {
  int frequency = 0, channels = 0;
  Uint16 format = 0;
  size_t formatLength = 0, dataLength = 0;
  const uint8_t* fmt = FindRiffChunk(data, size, "fmt ", &formatLength);
  if (!Mix_QuerySpec(&frequency, &format, &channels) || !fmt || formatLength < 16 ||
      !FindRiffChunk(data, size, "data", &dataLength))
    return 0;
  const uint64_t fromChannels = ReadLittleEndian(fmt + 2, 2);
  const uint64_t fromRate = ReadLittleEndian(fmt + 4, 4);
  const uint64_t fromBits = ReadLittleEndian(fmt + 14, 2);
  if (fromChannels == 0 || fromRate == 0 || fromBits == 0) return 0;
  const uint64_t frames = dataLength * 8 / (fromChannels * fromBits);
  const uint64_t frameBytes = static_cast<uint64_t>(channels) * ((format & 0xFF) / 8);
  return frames * frameBytes * static_cast<uint64_t>(frequency) / fromRate;
}
