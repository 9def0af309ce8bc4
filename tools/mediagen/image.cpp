#include "image.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

uint32_t Pack(Rgb c) { return 0x01000000u | (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b; }

// Chamfer distance from each pixel of the mask to the nearest pixel outside
// it (the picture's border counts as outside).
std::vector<float> DistanceInside(const Mask& mask) {
  const int w = mask.width(), h = mask.height();
  const float big = 1e6f, diag = 1.41421f;
  std::vector<float> d(w * h);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) d[y * w + x] = mask.On(x, y) ? big : 0.0f;
  auto at = [&](int x, int y) { return (x < 0 || y < 0 || x >= w || y >= h) ? 0.0f : d[y * w + x]; };
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      float& v = d[y * w + x];
      if (v == 0.0f) continue;
      v = std::min({v, at(x - 1, y) + 1, at(x, y - 1) + 1, at(x - 1, y - 1) + diag, at(x + 1, y - 1) + diag});
    }
  for (int y = h - 1; y >= 0; y--)
    for (int x = w - 1; x >= 0; x--) {
      float& v = d[y * w + x];
      if (v == 0.0f) continue;
      v = std::min({v, at(x + 1, y) + 1, at(x, y + 1) + 1, at(x + 1, y + 1) + diag, at(x - 1, y + 1) + diag});
    }
  return d;
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, float t) {
  auto lerp = [t](uint8_t u, uint8_t v) { return uint8_t(std::lround(u + (v - u) * std::clamp(t, 0.0f, 1.0f))); };
  return {lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b)};
}

bool DitherOn(int x, int y, float t) { return (kBayer[y & 3][x & 3] + 0.5f) / 16.0f < t; }

Image::Image(int width, int height) : width_(width), height_(height), pixels_(size_t(width) * height, 0) {}

Image::Image(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(size_t(width) * height, Pack(fill)) {}

Rgb Image::At(int x, int y) const {
  if (!Inside(x, y)) return {};
  const uint32_t p = pixels_[Index(x, y)];
  return {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)};
}

void Image::Set(int x, int y, Rgb c) {
  if (Inside(x, y)) pixels_[Index(x, y)] = Pack(c);
}

void Image::Erase(int x, int y) {
  if (Inside(x, y)) pixels_[Index(x, y)] = 0;
}

Mask::Mask(int width, int height) : width_(width), height_(height), bits_(size_t(width) * height, 0) {}

void Mask::Put(int x, int y, bool on) {
  if (x >= 0 && y >= 0 && x < width_ && y < height_) bits_[y * width_ + x] = on;
}

Mask& Mask::Where(const std::function<bool(float, float)>& inside, bool on) {
  for (int y = 0; y < height_; y++)
    for (int x = 0; x < width_; x++)
      if (inside(x + 0.5f, y + 0.5f)) bits_[y * width_ + x] = on;
  return *this;
}

Mask& Mask::Rect(float x, float y, float w, float h, bool on) {
  return Where([=](float px, float py) { return px >= x && px < x + w && py >= y && py < y + h; }, on);
}

Mask& Mask::Ellipse(float cx, float cy, float rx, float ry, bool on) {
  return Where(
      [=](float px, float py) {
        const float dx = (px - cx) / rx, dy = (py - cy) / ry;
        return dx * dx + dy * dy <= 1.0f;
      },
      on);
}

Mask& Mask::Poly(std::initializer_list<Point> points, bool on) { return Poly(std::vector<Point>(points), on); }

Mask& Mask::Poly(const std::vector<Point>& pts, bool on) {
  return Where(
      [&pts](float px, float py) {
        bool in = false;
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
          const Point a = pts[i], b = pts[j];
          if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x) in = !in;
        }
        return in;
      },
      on);
}

Mask& Mask::Capsule(float x0, float y0, float x1, float y1, float r, bool on) {
  return Where(
      [=](float px, float py) {
        const float vx = x1 - x0, vy = y1 - y0;
        const float len2 = vx * vx + vy * vy;
        float t = len2 > 0 ? ((px - x0) * vx + (py - y0) * vy) / len2 : 0.0f;
        t = std::clamp(t, 0.0f, 1.0f);
        const float dx = px - (x0 + t * vx), dy = py - (y0 + t * vy);
        return dx * dx + dy * dy <= r * r;
      },
      on);
}

Mask& Mask::RoundRect(float x, float y, float w, float h, float radius, bool on) {
  return Where(
      [=](float px, float py) {
        const float cx = std::clamp(px, x + radius, x + w - radius);
        const float cy = std::clamp(py, y + radius, y + h - radius);
        const float dx = px - cx, dy = py - cy;
        return px >= x && px < x + w && py >= y && py < y + h && dx * dx + dy * dy <= radius * radius;
      },
      on);
}

Mask& Mask::Add(const Mask& other) {
  for (size_t i = 0; i < bits_.size(); i++) bits_[i] |= other.bits_[i];
  return *this;
}

Mask& Mask::Cut(const Mask& other) {
  for (size_t i = 0; i < bits_.size(); i++)
    if (other.bits_[i]) bits_[i] = 0;
  return *this;
}

Mask& Mask::Intersect(const Mask& other) {
  for (size_t i = 0; i < bits_.size(); i++) bits_[i] &= other.bits_[i];
  return *this;
}

void Paint(Image& img, const Mask& mask, const Ramp& ramp, PaintStyle style) {
  const int w = mask.width(), h = mask.height();
  const std::vector<float> d = DistanceInside(mask);
  float deepest = 0;
  for (float v : d) deepest = std::max(deepest, v);
  auto dist = [&](int x, int y) { return (x < 0 || y < 0 || x >= w || y >= h) ? 0.0f : d[y * w + x]; };
  // Light from the upper left and in front.
  const float lx = -0.45f, ly = -0.65f, lz = 0.62f;
  const Image before = img;
  const Rgb rimTone = Mix(ramp.dark, {12, 8, 20}, 0.45f);
  for (int y = 0; y < h; y++) {
    for (int x = 0; x < w; x++) {
      if (!mask.On(x, y)) continue;
      const float here = d[y * w + x];
      const float gx = dist(x + 1, y) - dist(x - 1, y), gy = dist(x, y + 1) - dist(x, y - 1);
      const float glen = std::sqrt(gx * gx + gy * gy);
      const float ox = glen > 1e-3f ? -gx / glen : 0.0f, oy = glen > 1e-3f ? -gy / glen : 0.0f;
      Rgb c = ramp.base;
      if (style.shade == Shade::Round) {
        const float t = std::clamp((here - 0.5f) / std::max(deepest, 1.0f), 0.0f, 1.0f);
        const float tilt = 1.0f - t;
        const float nx = ox * tilt, ny = oy * tilt, nz = std::sqrt(std::max(0.0f, 1.0f - tilt * tilt));
        const float light = nx * lx + ny * ly + nz * lz;
        c = light < 0.12f ? ramp.dark : light < 0.74f ? ramp.base : light < 0.93f ? ramp.light : ramp.shine;
      } else if (style.shade == Shade::Bevel && here <= style.bevel) {
        const float facing = -(ox + oy);
        if (facing > 0.2f)
          c = here <= 1.0f ? ramp.shine : ramp.light;
        else if (facing < -0.2f)
          c = ramp.dark;
      }
      if (style.rim && here <= 1.0f) {
        const int nx[4] = {x - 1, x + 1, x, x}, ny[4] = {y, y, y - 1, y + 1};
        for (int k = 0; k < 4; k++)
          if (!mask.On(nx[k], ny[k]) && before.Filled(nx[k], ny[k])) c = rimTone;
      }
      img.Set(x, y, c);
    }
  }
}

void Fill(Image& img, const Mask& mask, Rgb c) {
  for (int y = 0; y < mask.height(); y++)
    for (int x = 0; x < mask.width(); x++)
      if (mask.On(x, y)) img.Set(x, y, c);
}

void FillDithered(Image& img, const Mask& mask, Rgb c, float t) {
  for (int y = 0; y < mask.height(); y++)
    for (int x = 0; x < mask.width(); x++)
      if (mask.On(x, y) && DitherOn(x, y, t)) img.Set(x, y, c);
}

void FillRect(Image& img, int x, int y, int w, int h, Rgb c) {
  for (int j = y; j < y + h; j++)
    for (int i = x; i < x + w; i++) img.Set(i, j, c);
}

void Line(Image& img, int x0, int y0, int x1, int y1, Rgb c) {
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    img.Set(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
}

void Outline(Image& img, Rgb ink, bool thick) {
  const Image before = img;
  for (int y = 0; y < img.height(); y++) {
    for (int x = 0; x < img.width(); x++) {
      if (before.Filled(x, y)) continue;
      bool touch =
          before.Filled(x - 1, y) || before.Filled(x + 1, y) || before.Filled(x, y - 1) || before.Filled(x, y + 1);
      if (thick)
        touch = touch || before.Filled(x - 1, y - 1) || before.Filled(x + 1, y - 1) || before.Filled(x - 1, y + 1) ||
                before.Filled(x + 1, y + 1);
      if (touch) img.Set(x, y, ink);
    }
  }
}

void Blit(Image& dst, const Image& src, int x, int y) {
  for (int j = 0; j < src.height(); j++)
    for (int i = 0; i < src.width(); i++)
      if (src.Filled(i, j)) dst.Set(x + i, y + j, src.At(i, j));
}

Image MirrorX(const Image& img) {
  Image out(img.width(), img.height());
  for (int y = 0; y < img.height(); y++)
    for (int x = 0; x < img.width(); x++)
      if (img.Filled(x, y)) out.Set(img.width() - 1 - x, y, img.At(x, y));
  return out;
}

Image Rotate(const Image& img, int quarterTurns) {
  Image out = img;
  const int n = img.width();
  for (int turn = 0; turn < (quarterTurns % 4 + 4) % 4; turn++) {
    Image next(n, n);
    for (int y = 0; y < n; y++)
      for (int x = 0; x < n; x++)
        if (out.Filled(y, n - 1 - x)) next.Set(x, y, out.At(y, n - 1 - x));
    out = next;
  }
  return out;
}

Image Scale(const Image& img, int factor) {
  Image out(img.width() * factor, img.height() * factor);
  for (int y = 0; y < out.height(); y++)
    for (int x = 0; x < out.width(); x++)
      if (img.Filled(x / factor, y / factor)) out.Set(x, y, img.At(x / factor, y / factor));
  return out;
}

Image Widen(const Image& img, int newWidth, int left) {
  Image out(newWidth, img.height());
  Blit(out, img, left, 0);
  return out;
}

void Gradient(Image& img, int x, int y, int w, int h, std::initializer_list<Rgb> stops) {
  const std::vector<Rgb> s(stops);
  for (int j = 0; j < h; j++) {
    const float p = h > 1 ? float(j) / (h - 1) * (s.size() - 1) : 0.0f;
    const size_t i = std::min(size_t(p), s.size() - 2);
    const float t = p - i;
    for (int k = 0; k < w; k++) img.Set(x + k, y + j, Mix(s[i], s[i + 1], t));
  }
}

void Tint(Image& img, const Mask& mask, Rgb c, float t) {
  for (int y = 0; y < mask.height(); y++)
    for (int x = 0; x < mask.width(); x++)
      if (mask.On(x, y) && img.Filled(x, y)) img.Set(x, y, Mix(img.At(x, y), c, t));
}

void Glow(Image& img, float cx, float cy, float radius, Rgb c, float strength) {
  const int x0 = std::max(0, int(cx - radius)), x1 = std::min(img.width() - 1, int(cx + radius));
  const int y0 = std::max(0, int(cy - radius)), y1 = std::min(img.height() - 1, int(cy + radius));
  for (int y = y0; y <= y1; y++)
    for (int x = x0; x <= x1; x++) {
      const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / radius;
      if (d >= 1.0f || !img.Filled(x, y)) continue;
      const float fall = (1.0f - d) * (1.0f - d);
      img.Set(x, y, Mix(img.At(x, y), c, strength * fall));
    }
}
