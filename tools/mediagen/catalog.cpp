#include "catalog.h"

std::vector<Picture> AllPictures() {
  std::vector<Picture> all;
  for (auto group :
       {TilePictures(), ItemPictures(), EffectPictures(), PlayerPictures(), EnemyPictures(), ScreenPictures()})
    all.insert(all.end(), group.begin(), group.end());
  return all;
}
