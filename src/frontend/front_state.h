// What the screens between levels show of the game, handed to them as plain
// values by the game flow before each screen, and the title menu's answer.
#pragma once

struct BitmapSet;
struct Sprite;

struct FrontState {
  BitmapSet* sysBitmaps;    // screens, cursor and name box
  BitmapSet* charBitmaps;   // the lives screen's player icon
  const char* storedLevel;  // the settings' "level", or null
  int lives;
  int life;  // frames of the level's clock left
  int score;
  int scoreTail;
  int itemsTaken;
  int itemsTotal;
  int menuChoice;     // the title menu's choice (MenuEntry)
  Sprite* livesIcon;  // the lives screen's icon, while it shows
};

// The one record every screen reads.
FrontState* TheFrontState();
