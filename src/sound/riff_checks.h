// The checks a WAV's bytes pass before SDL reads them: whether they are a
// WAV at all, chunk lengths cut to the bytes there are, and the size once
// converted.
#pragma once

#include <cstddef>
#include <cstdint>

// Both SDL's loader and the mixer take a bare "WAVE" header, without the
// RIFF one before it, as a WAV too.
bool IsRiff(const uint8_t* data, size_t size);
// Cuts the RIFF size and each chunk's length to the bytes that follow it.
void CutRiffChunks(uint8_t* data, size_t size);
// The chunk with this id after CutRiffChunks: its bytes and length; null when
// there is none.
const uint8_t* FindRiffChunk(const uint8_t* data, size_t size, const char* id, size_t* length);
// The size of the sound once converted to the mixer's format, from its
// format and data chunks; 0 when they are missing or say nothing sane, which
// SDL's loader then refuses on its own.
uint64_t ConvertedSoundBytes(const uint8_t* data, size_t size);
