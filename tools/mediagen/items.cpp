#include "catalog.h"

std::span<const Picture> ItemPictures() { return {}; }
