// The one palette every picture draws from, as ramps of four tones per
// material. Nothing here is pure black: in keyed pictures black is the
// transparent colour.
#pragma once

#include "image.h"

namespace pal {

// Outline ink and the darkest shadows: a deep violet that reads as black.
inline constexpr Rgb kInk{22, 16, 34};
inline constexpr Rgb kWhite{248, 246, 236};
inline constexpr Rgb kMagenta{255, 0, 255};

// Walls and grey stone.
inline constexpr Ramp kStone{{52, 56, 78}, {84, 90, 116}, {120, 128, 154}, {168, 176, 198}};
// Scenery stone: darker and flatter so it stays behind the action.
inline constexpr Ramp kDimStone{{30, 32, 48}, {42, 45, 64}, {55, 59, 80}, {68, 72, 94}};
// Rune blocks the player makes.
inline constexpr Ramp kRune{{22, 54, 96}, {36, 98, 156}, {70, 156, 212}, {150, 222, 248}};
inline constexpr Rgb kRuneGlow{190, 250, 255};
inline constexpr Ramp kGold{{112, 64, 22}, {188, 124, 34}, {236, 184, 58}, {255, 236, 150}};
inline constexpr Ramp kCopper{{92, 42, 26}, {156, 80, 44}, {206, 124, 72}, {240, 180, 130}};
inline constexpr Ramp kSilver{{80, 88, 108}, {146, 154, 172}, {200, 206, 218}, {244, 246, 250}};
inline constexpr Ramp kRed{{94, 20, 36}, {166, 36, 48}, {218, 72, 60}, {250, 150, 110}};
inline constexpr Ramp kGreen{{24, 66, 40}, {48, 118, 56}, {96, 170, 72}, {170, 220, 110}};
inline constexpr Ramp kMoss{{30, 52, 34}, {44, 72, 42}, {62, 94, 52}, {82, 116, 64}};
inline constexpr Ramp kViolet{{54, 26, 86}, {98, 48, 140}, {150, 86, 196}, {212, 160, 240}};
inline constexpr Ramp kBlue{{30, 40, 110}, {52, 76, 170}, {90, 126, 220}, {160, 190, 250}};
inline constexpr Ramp kSkin{{120, 64, 50}, {196, 124, 92}, {236, 176, 136}, {252, 214, 182}};
inline constexpr Ramp kWood{{58, 34, 24}, {98, 58, 34}, {142, 90, 50}, {186, 130, 76}};
inline constexpr Ramp kLeather{{48, 30, 30}, {82, 50, 42}, {118, 76, 58}, {150, 104, 80}};
inline constexpr Ramp kCloak{{96, 18, 40}, {160, 32, 52}, {206, 62, 64}, {240, 118, 96}};
inline constexpr Ramp kCloth{{40, 42, 70}, {62, 66, 104}, {88, 96, 138}, {120, 130, 170}};
inline constexpr Ramp kFire{{196, 58, 24}, {242, 122, 34}, {255, 196, 64}, {255, 246, 190}};
inline constexpr Ramp kToxic{{40, 96, 40}, {80, 176, 48}, {160, 232, 80}, {226, 255, 170}};
inline constexpr Ramp kHide{{70, 40, 30}, {116, 70, 44}, {160, 104, 62}, {198, 146, 96}};
inline constexpr Ramp kOgre{{40, 78, 52}, {66, 120, 70}, {104, 160, 88}, {150, 196, 120}};
inline constexpr Ramp kBone{{128, 116, 92}, {192, 180, 150}, {228, 220, 196}, {250, 246, 232}};
inline constexpr Ramp kBat{{40, 24, 58}, {68, 40, 92}, {100, 64, 128}, {140, 102, 166}};
inline constexpr Ramp kSmoke{{96, 100, 116}, {150, 154, 168}, {196, 200, 210}, {232, 234, 240}};
inline constexpr Ramp kShadow{{18, 16, 30}, {26, 24, 42}, {36, 34, 56}, {48, 46, 70}};

// Skies and light for the full-screen pictures.
inline constexpr Rgb kNight0{10, 10, 28};
inline constexpr Rgb kNight1{24, 22, 62};
inline constexpr Rgb kNight2{62, 40, 100};
inline constexpr Rgb kDusk{150, 70, 110};
inline constexpr Rgb kDawn{250, 170, 100};
inline constexpr Rgb kEyeRed{255, 70, 60};
inline constexpr Rgb kEyeYellow{255, 230, 90};

}  // namespace pal
