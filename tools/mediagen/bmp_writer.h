// Pictures as BMP files in the screen's own 16-bit 5-6-5 format, so the game
// blits them without a conversion.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/media_slots.h"
#include "image.h"

// KeyBlack: unfilled pixels become 0x0000, the transparent black; KeyNone:
// listed with a third field, every pixel is drawn.

// The 5-6-5 value of a colour. A keyed picture never turns a drawn pixel
// into 0x0000, so no intended shadow becomes a hole. Opaque pictures are
// dithered by position so their gradients do not band.
uint16_t To565(Rgb c, PictureKeying keying, int x = 0, int y = 0);

// A complete BMP file: BITMAPINFOHEADER with BI_BITFIELDS, rows bottom-up.
std::vector<uint8_t> EncodeBmp(const Image& img, PictureKeying keying);

// Writes through a temporary file and a rename, so a reader never sees half a
// file. Returns false on failure.
bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);
