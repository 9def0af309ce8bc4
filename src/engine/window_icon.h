// The window's icon, the game's rune block from kWindowIconPath.
#pragma once

// Sets the icon; SDL takes it only before the video mode is set. Without the
// picture the window keeps the default icon.
void SetWindowIcon();
