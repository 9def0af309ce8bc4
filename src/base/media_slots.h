// Where every picture and sound lives: the slots of the three picture sets,
// the levels' own list and the sound bank, with the size and keying each
// slot's use needs. The game draws and plays by these numbers, the media
// builder writes these slots, and the media tests check the tree against
// the table.
#pragma once

enum PictureSet { SetSystem = 0, SetCharacter = 1, SetEnemy = 2, SetLevel = 3 };

// The system set. Tile codes 1 to 14 are frames too (see TileCode).
enum SysFrame {
  FrameDoorClosed = 20,
  FrameDoorOpen = 21,
  FrameKey = 22,       // also the menu cursor
  FrameItemBase = 39,  // item type t shows frame 39 + t
  FrameFireball = 80,  // right, left, down, up: two frames each
  FrameSpark = 100,
  FramePuff = 102,
  FrameTitle = 150,
  FrameBackdrop = 153,  // replaced by the levels' own list
  FrameLevelClear = 161,
  FrameGameOver = 162,
  FrameEnding = 163,
  FrameRanking = 164,
  FrameNameEntry = 165,
  FrameOptions = 166,
  FrameNameBox = 180,
  FrameOptionsBar = 181,  // the options screen's cursor, under the chosen value
  FrameOverlay = 200,
  FrameWipe = 201,
  FrameMagicMarker = 202,  // where block magic would act, drawn over the level when asked
};

// The character set: the player facing right, the same facing left
// kPlayerLeft frames on, and the death turn.
enum CharFrame {
  FramePlayerStand = 10,
  FramePlayerStride = 11,
  FramePlayerSquat = 12,
  FramePlayerCharge = 13,
  FramePlayerCast = 14,
  FramePlayerCrouch = 15,
  FramePlayerCrouchCharge = 16,
  FramePlayerCrouchCast = 17,
  FramePlayerDeath = 50,  // to 53
};
inline constexpr int kPlayerLeft = 20;

// The enemy set: each kind's first frame. Where a kind has a right and a left
// run, the left one is its own name.
enum EnemyFrame {
  FrameGlint = 0,     // a shot's or strike's wind-up; frame 0 never hurts
  FrameCrawler = 10,  // two frames
  FrameWalker = 20,   // four: a turn from facing right to facing left
  FrameTurret = 30,   // right, left, down, up
  FrameShot = 40,     // right, left, down, up: two frames each
  FrameFlyer = 50,    // right, left; FrameFlyerDazed on, the same two dazed
  FrameFlyerDazed = 52,
  FrameBrawler = 60,        // right: walk, raise, blow (a guard looks the same)
  FrameBrawlerLeft = 63,    // left: walk, raise, blow
  FrameCharger = 70,        // right: two walking, two alert
  FrameChargerLeft = 74,    // left: the same
  FrameSentry = 80,         // two frames
  FrameSentryStunned = 82,  // two frames
  FrameGunner = 100,        // right: stand, step, shoot
  FrameGunnerLeft = 103,    // left: stand, step, shoot
  FrameStrike = 110,        // right two, left two
  FrameStrikeLeft = 112,
};

enum SoundSlot {
  SndMenuSelect = 10,
  SndMakeBlock = 11,
  SndKeyTaken = 12,
  SndItem = 13,
  SndShot = 14,
  SndBlockHit = 15,
  SndMagicBreak = 16,
  SndEnemyDown = 17,
  LoopTitle = 50,
  LoopLevel = 51,
  LoopHighScore = 52,
};

enum PictureKeying { KeyBlack = 0, KeyNone = 1 };  // KeyBlack: black is transparent

struct PictureSlots {
  PictureSet set;
  int first, last;    // slots
  int width, height;  // pixels
  PictureKeying keying;
  const char* use;
};

inline constexpr PictureSlots kPictureSlots[] = {
    {SetSystem, 1, 9, 48, 48, KeyBlack, "scenery tile"},
    {SetSystem, 10, 14, 48, 48, KeyBlack, "wall and block tile"},
    {SetSystem, FrameDoorClosed, FrameKey, 48, 48, KeyBlack, "door and key"},
    {SetSystem, FrameItemBase + 1, FrameItemBase + 18, 48, 48, KeyBlack, "item"},
    {SetSystem, FrameFireball, FrameFireball + 7, 48, 48, KeyBlack, "fireball"},
    {SetSystem, FrameSpark, FrameSpark + 1, 24, 24, KeyBlack, "spark"},
    {SetSystem, FramePuff, FramePuff + 1, 48, 48, KeyBlack, "puff"},
    {SetSystem, FrameTitle, FrameTitle, 640, 480, KeyNone, "title screen"},
    {SetSystem, FrameBackdrop, FrameBackdrop, 640, 480, KeyNone, "backdrop"},
    {SetSystem, FrameLevelClear, FrameNameEntry, 640, 480, KeyNone, "screen"},
    {SetSystem, FrameOptions, FrameOptions, 640, 480, KeyNone, "options screen"},
    {SetSystem, FrameNameBox, FrameNameBox, 20, 24, KeyBlack, "name entry box"},
    {SetSystem, FrameOptionsBar, FrameOptionsBar, 156, 20, KeyBlack, "options cursor bar"},
    {SetSystem, FrameOverlay, FrameOverlay, 640, 480, KeyNone, "death overlay"},
    {SetSystem, FrameWipe, FrameWipe, 16, 16, KeyNone, "clear wipe square"},
    {SetSystem, FrameMagicMarker, FrameMagicMarker, 48, 48, KeyBlack, "magic marker"},
    {SetCharacter, FramePlayerStand, FramePlayerSquat, 48, 48, KeyBlack, "player"},
    {SetCharacter, FramePlayerCharge, FramePlayerCast, 60, 48, KeyBlack, "casting player"},
    {SetCharacter, FramePlayerCrouch, FramePlayerCrouch, 48, 48, KeyBlack, "crouching player"},
    {SetCharacter, FramePlayerCrouchCharge, FramePlayerCrouchCast, 60, 48, KeyBlack, "crouching casting player"},
    {SetCharacter, FramePlayerStand + kPlayerLeft, FramePlayerSquat + kPlayerLeft, 48, 48, KeyBlack, "player"},
    {SetCharacter, FramePlayerCharge + kPlayerLeft, FramePlayerCast + kPlayerLeft, 60, 48, KeyBlack, "casting player"},
    {SetCharacter, FramePlayerCrouch + kPlayerLeft, FramePlayerCrouch + kPlayerLeft, 48, 48, KeyBlack,
     "crouching player"},
    {SetCharacter, FramePlayerCrouchCharge + kPlayerLeft, FramePlayerCrouchCast + kPlayerLeft, 60, 48, KeyBlack,
     "crouching casting player"},
    {SetCharacter, FramePlayerDeath, FramePlayerDeath + 3, 48, 48, KeyBlack, "dying player"},
    {SetEnemy, FrameGlint, FrameGlint, 48, 48, KeyBlack, "strike wind-up glint"},
    {SetEnemy, FrameCrawler, FrameCrawler + 1, 48, 48, KeyBlack, "crawler"},
    {SetEnemy, FrameWalker, FrameWalker + 3, 48, 48, KeyBlack, "walker"},
    {SetEnemy, FrameTurret, FrameTurret + 3, 48, 48, KeyBlack, "turret"},
    {SetEnemy, FrameShot, FrameShot + 7, 48, 48, KeyBlack, "shot"},
    {SetEnemy, FrameFlyer, FrameFlyerDazed + 1, 48, 48, KeyBlack, "flyer"},
    {SetEnemy, FrameBrawler, FrameBrawlerLeft + 2, 48, 48, KeyBlack, "brawler and guard"},
    {SetEnemy, FrameCharger, FrameChargerLeft + 3, 48, 48, KeyBlack, "charger"},
    {SetEnemy, FrameSentry, FrameSentryStunned + 1, 48, 48, KeyBlack, "sentry"},
    {SetEnemy, FrameGunner, FrameGunnerLeft + 2, 48, 48, KeyBlack, "gunner"},
    {SetEnemy, FrameStrike, FrameStrikeLeft + 1, 48, 48, KeyBlack, "strike"},
    {SetLevel, FrameBackdrop, FrameBackdrop, 640, 480, KeyNone, "the levels' backdrop"},
};

struct SoundSlots {
  int first, last;
  int minMillis, maxMillis;  // how long each lasts
  const char* use;
};

inline constexpr SoundSlots kSoundSlots[] = {
    {SndMenuSelect, SndEnemyDown, 100, 1500, "sound effect"},
    {LoopTitle, LoopHighScore, 20000, 60000, "music loop"},
};
