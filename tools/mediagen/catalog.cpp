#include "catalog.h"

#include <string_view>

std::vector<Picture> AllPictures() {
  std::vector<Picture> all;
  for (auto group :
       {TilePictures(), ItemPictures(), EffectPictures(), PlayerPictures(), EnemyPictures(), ScreenPictures()})
    all.insert(all.end(), group.begin(), group.end());
  return all;
}

Image DrawPicture(const char* dir, int slot) {
  for (auto group : {TilePictures(), ItemPictures(), EffectPictures(), PlayerPictures(), EnemyPictures()})
    for (const Picture& p : group)
      if (p.slot == slot && std::string_view(p.dir) == dir) return p.draw();
  return {};
}
