// Pictures as PNG files with an alpha channel, for the desktop outside the
// game (the launcher icon). Deflate's stored blocks keep the encoder small,
// free of libraries and byte-identical between runs; icons are small enough
// that compression would not matter.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "image.h"

uint32_t Crc32(std::span<const uint8_t> bytes);
uint32_t Adler32(std::span<const uint8_t> bytes);

// A complete PNG file: 8-bit RGBA, unfilled pixels fully transparent.
std::vector<uint8_t> EncodePng(const Image& img);
