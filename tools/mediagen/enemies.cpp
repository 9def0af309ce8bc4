#include "catalog.h"

std::span<const Picture> EnemyPictures() { return {}; }
