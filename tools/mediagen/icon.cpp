#include "icon.h"

#include "art.h"
#include "catalog.h"
#include "palette.h"

namespace {

constexpr int kBlockSlot = 11;

Image BaseIcon() {
  Image img(kIconBaseSize, kIconBaseSize);
  // A night-sky tile behind the block, so it stands out on dark and light
  // menus alike.
  Mask sky(kIconBaseSize, kIconBaseSize);
  sky.RoundRect(2, 2, 60, 60, 10);
  Paint(img, sky, {pal::kNight0, pal::kNight1, pal::kNight2, pal::kNight2});
  Blit(img, DrawPicture(kSysDir, kBlockSlot), 8, 8);
  Outline(img, pal::kInk);
  Sparkle(img, 53, 11, 4, pal::kWhite, pal::kRuneGlow);
  Sparkle(img, 11, 52, 2, pal::kWhite, pal::kRuneGlow);
  return img;
}

}  // namespace

bool IconSizeValid(int size) { return size >= kIconBaseSize && size % kIconBaseSize == 0; }

Image DrawIcon(int size) {
  if (!IconSizeValid(size)) return {};
  const Image base = BaseIcon();
  return size == kIconBaseSize ? base : Scale(base, size / kIconBaseSize);
}
