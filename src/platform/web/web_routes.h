// The browser build compiles every game file with this header first: the
// SDL calls its SDL lacks or gets wrong go to web_sdl.h, and the keys the
// game names get the codes the browser's SDL delivers (ASCII for letters and
// punctuation, scancode + 1024 for the rest).
#pragma once

#include "platform/web/web_sdl.h"

#define SDL_SetColorKey SetColorKeyAsAlpha
#define SDL_RWFromFP OpenFileRWops
#define SDL_LoadBMP_RW LoadBmpInBrowser
#define SDL_GetKeyState SDL_GetKeyboardState
#define SDL_GetKeyName GetClassicKeyName
#define Mix_OpenAudio OpenMixer
#define Mix_CloseAudio CloseMixer
#define Mix_QuerySpec QueryMixerSpec
#define Mix_PlayChannelTimed PlayTrackedChannel
#define Mix_HaltChannel HaltTrackedChannel
#define Mix_GetChunk GetChannelChunk

#define SDLK_FIRST 0
#define SDLK_LAST 0x800
#define SDLK_UP (SDL_SCANCODE_UP | 1024)
#define SDLK_DOWN (SDL_SCANCODE_DOWN | 1024)
#define SDLK_LEFT (SDL_SCANCODE_LEFT | 1024)
#define SDLK_RIGHT (SDL_SCANCODE_RIGHT | 1024)
#define SDLK_F11 (SDL_SCANCODE_F11 | 1024)
#define SDLK_KP_MINUS (SDL_SCANCODE_KP_MINUS | 1024)
#define SDLK_KP_PLUS (SDL_SCANCODE_KP_PLUS | 1024)
#define SDLK_KP_ENTER (SDL_SCANCODE_KP_ENTER | 1024)
