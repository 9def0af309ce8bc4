#include "catalog.h"

std::span<const Picture> EffectPictures() { return {}; }
