#include "catalog.h"

std::span<const Picture> PlayerPictures() { return {}; }
