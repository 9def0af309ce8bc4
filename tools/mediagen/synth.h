// A small chip-style synthesiser: square, triangle and noise voices with
// envelopes, mixed into stereo at the mixer's own rate and written as WAV.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr int kSampleRate = 22050;

enum class Wave { Square, Triangle, Noise };

struct Envelope {
  float attack = 0.005f;  // seconds to full level
  float decay = 0.05f;    // seconds from full level to the sustain level
  float sustain = 0.7f;   // level while held
  float release = 0.05f;  // seconds to silence after the note ends
};

struct Voice {
  Wave wave = Wave::Square;
  float duty = 0.5f;  // square: share of the cycle that is high
  Envelope env;
  float vibratoDepth = 0.0f;   // semitones
  float vibratoRate = 5.5f;    // Hz
  float vibratoDelay = 0.15f;  // seconds before the vibrato starts
  float lowPass = 1.0f;        // one-pole smoothing per sample, 1 = off
};
// For noise the note's frequency is how often a new random level is drawn:
// low values rumble, high ones hiss.

// One note: frequency glides from `from` to `to` (Hz) over the held time.
std::vector<float> Render(const Voice& voice, float from, float to, float seconds, unsigned seed = 1);

float NoteFrequency(int midi);
// "A4", "C#5", "Bb3" -> MIDI number; -1 for a rest ("r").
int ParseNote(const char* name);

// A stereo mix buffer. A looping buffer wraps notes that run past its end
// to its start, so the loop has no seam.
class Track {
 public:
  Track(int frames, bool looping);
  int frames() const { return frames_; }
  // pan -1 (left) .. 1 (right)
  void Add(const std::vector<float>& mono, int startFrame, float gain, float pan = 0.0f);
  // Scales to the given peak and converts to interleaved 16-bit samples.
  std::vector<int16_t> Finish(float peak) const;

 private:
  int frames_;
  bool looping_;
  std::vector<float> left_, right_;
};

// A plain PCM RIFF file: 22050 Hz, 16-bit signed, 2 channels.
std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& interleaved);
