// Small drawing pieces shared by the sprite groups.
#pragma once

#include <cstdint>

#include "image.h"

inline constexpr int kCell = 48;

// Deterministic per-position noise, 0..1: texture without a random source.
float Noise2(int x, int y, int salt = 0);

// A four-pointed twinkle: a bright core and rays of length r.
void Sparkle(Image& img, int cx, int cy, int r, Rgb core, Rgb ray);

// Digits, '+', 'x', 'U', 'P' in a 3 x 5 pixel face with a one-pixel ink
// border; `scale` multiplies the pixels.
void TinyText(Image& img, int x, int y, const char* text, Rgb colour, Rgb ink, int scale = 1);
int TinyTextWidth(const char* text, int scale = 1);
