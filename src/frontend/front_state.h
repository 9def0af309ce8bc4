// What the screens between levels show of the game, handed to them as plain
// values by the game flow before each screen, and the title menu's answer.
#pragma once

#include "frontend/high_scores.h"

struct BitmapSet;
struct Sprite;

// The name entry's screen; EnterHighScore resets it when the screen starts, but `delay`.
struct NameEntryScreen {
  Sprite* background;
  Sprite* line;
  Sprite* box;
  int position;  // the letter the box is on
  int letter;    // index in NameAlphabet of the letter last set
  int delay;     // frames without input; kept from one name entry to the next
  // The name as typed, also when the line sprite could not be had.
  char typed[kNameLength + 1];
  // Once the name is confirmed the closing frames take no more input, so a
  // second confirm cannot enter the result twice.
  bool confirmed;
};

// The title menu's screen; the menu resets it on its first frame.
struct TitleMenuScreen {
  int cursor;   // the entry the cursor is on (MenuEntry)
  int closing;  // frames left of the closing fade once an entry is chosen; 0 = choosing
  Sprite* picture;
  Sprite* cursorSprite;
  Sprite* entries[4];  // one per entry, in MenuEntry order
};

// The level-clear and ending screens' sprites; each screen sets its own when it starts.
struct InterstitialScreen {
  Sprite* clearPicture;
  Sprite* clearTitle;
  Sprite* clearTime;
  Sprite* finalPicture;
};

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
  int menuChoice;     // the title menu's choice (MenuEntry, or MenuOptions)
  Sprite* livesIcon;  // the lives screen's icon, while it shows
  TitleMenuScreen titleMenu;
  NameEntryScreen nameEntry;
  InterstitialScreen interstitials;
};

// The one record every screen reads.
FrontState* TheFrontState();
