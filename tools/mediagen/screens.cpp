#include "catalog.h"

std::span<const Picture> ScreenPictures() { return {}; }
