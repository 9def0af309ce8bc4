// Little-endian numbers in byte buffers: the one reader and writer behind
// every binary format of the game (recordings, BMP and WAV headers) and of
// the media builder.
#pragma once

#include <cstddef>
#include <cstdint>

// The unsigned number in the first `count` bytes (1 to 4), lowest first.
inline uint32_t ReadLittleEndian(const uint8_t* bytes, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; i--) value = value << 8 | bytes[i];
  return value;
}

// Writes the lowest `count` bytes of the value (1 to 4), lowest first.
inline void WriteLittleEndian(uint8_t* bytes, uint32_t value, int count) {
  for (int i = 0; i < count; i++) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

// Reads a byte buffer front to back and never past its end: a read that
// would returns false and leaves the position where it was.
struct ByteReader {
  const uint8_t* data;
  size_t size;
  size_t pos;
};

inline size_t BytesLeft(const ByteReader* in) { return in->size - in->pos; }

inline bool ReadByte(ByteReader* in, uint8_t* out) {
  if (BytesLeft(in) < 1) return false;
  *out = in->data[in->pos++];
  return true;
}

// A 32-bit signed number.
inline bool ReadInt32(ByteReader* in, int* out) {
  if (BytesLeft(in) < 4) return false;
  *out = static_cast<int>(ReadLittleEndian(in->data + in->pos, 4));
  in->pos += 4;
  return true;
}
