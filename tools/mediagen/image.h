// Pictures in memory and the few drawing tools every sprite is made with:
// shapes are gathered in a Mask, then painted with a shading ramp, and the
// finished silhouette gets a dark outline.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Four tones of one material, from its shadow to its shine.
struct Ramp {
  Rgb dark, base, light, shine;
};

Rgb Mix(Rgb a, Rgb b, float t);

// 4 x 4 ordered dither: true when a tone of weight t (0..1) shows at (x, y).
bool DitherOn(int x, int y, float t);

class Image {
 public:
  Image() = default;
  Image(int width, int height);
  Image(int width, int height, Rgb fill);

  int width() const { return width_; }
  int height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  // Unfilled pixels are transparent (keyed pictures write them as black).
  bool Filled(int x, int y) const { return Inside(x, y) && (pixels_[Index(x, y)] >> 24) != 0; }
  Rgb At(int x, int y) const;
  void Set(int x, int y, Rgb c);
  void Erase(int x, int y);

 private:
  int Index(int x, int y) const { return y * width_ + x; }
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;
};

struct Point {
  float x, y;
};

// A set of pixels built from shapes; a pixel belongs to a shape when its
// centre does.
class Mask {
 public:
  Mask(int width, int height);
  int width() const { return width_; }
  int height() const { return height_; }
  bool On(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_ && bits_[y * width_ + x]; }
  void Put(int x, int y, bool on);

  Mask& Rect(float x, float y, float w, float h, bool on = true);
  Mask& Ellipse(float cx, float cy, float rx, float ry, bool on = true);
  Mask& Circle(float cx, float cy, float r, bool on = true) { return Ellipse(cx, cy, r, r, on); }
  Mask& Poly(std::initializer_list<Point> points, bool on = true);
  Mask& Poly(const std::vector<Point>& points, bool on = true);
  // A stroke with round ends: every pixel within r of the segment.
  Mask& Capsule(float x0, float y0, float x1, float y1, float r, bool on = true);
  // Round-cornered box.
  Mask& RoundRect(float x, float y, float w, float h, float radius, bool on = true);
  Mask& Where(const std::function<bool(float x, float y)>& inside, bool on = true);
  Mask& Add(const Mask& other);
  Mask& Cut(const Mask& other);
  Mask& Intersect(const Mask& other);

 private:
  int width_;
  int height_;
  std::vector<uint8_t> bits_;
};

enum class Shade {
  Flat,   // base tone only
  Round,  // lit like a rounded body from the upper left
  Bevel,  // flat face with lit top/left and dark bottom/right edges
};

struct PaintStyle {
  Shade shade = Shade::Round;
  // Darkens the part's rim where it lies over pixels already drawn, so parts
  // stay apart without a full outline.
  bool rim = false;
  int bevel = 2;  // edge width of Shade::Bevel
};

void Paint(Image& img, const Mask& mask, const Ramp& ramp, PaintStyle style = {});
void Fill(Image& img, const Mask& mask, Rgb c);
// Fills every pixel of the mask whose dither threshold lies below t.
void FillDithered(Image& img, const Mask& mask, Rgb c, float t);
void FillRect(Image& img, int x, int y, int w, int h, Rgb c);
// A one-pixel line, for cracks, seams and glints.
void Line(Image& img, int x0, int y0, int x1, int y1, Rgb c);

// Surrounds the filled area with a line of ink; diagonal corners too when
// `thick` is set.
void Outline(Image& img, Rgb ink, bool thick = false);
// Copies the filled pixels of src onto dst at (x, y).
void Blit(Image& dst, const Image& src, int x, int y);
Image MirrorX(const Image& img);
// Quarter turns clockwise; the picture must be square.
Image Rotate(const Image& img, int quarterTurns);
Image Scale(const Image& img, int factor);
// The same picture on a wider canvas, shifted right by `left` pixels.
Image Widen(const Image& img, int newWidth, int left);
// Vertical dithered blend through the colours, top to bottom, over a rectangle.
void Gradient(Image& img, int x, int y, int w, int h, std::initializer_list<Rgb> stops);
// Pulls filled pixels towards c by t, with dithering so the area reads as a
// soft glow or shadow on opaque pictures.
void Tint(Image& img, const Mask& mask, Rgb c, float t);
// A radial glow on an opaque picture, strongest at the centre.
void Glow(Image& img, float cx, float cy, float radius, Rgb c, float strength);
