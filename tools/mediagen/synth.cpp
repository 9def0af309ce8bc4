#include "synth.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

// Smooths the jump of a band-edge so squares do not buzz with aliases.
float PolyBlep(float t, float dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0f;
  }
  if (t > 1.0f - dt) {
    t = (t - 1.0f) / dt;
    return t * t + t + t + 1.0f;
  }
  return 0.0f;
}

float Level(const Envelope& e, float t, float held) {
  auto sustained = [&](float u) {
    if (u < e.attack) return u / e.attack;
    if (u < e.attack + e.decay) return 1.0f - (1.0f - e.sustain) * (u - e.attack) / e.decay;
    return e.sustain;
  };
  if (t < held) return sustained(t);
  const float from = sustained(held);
  const float r = (t - held) / std::max(e.release, 1e-4f);
  return r >= 1.0f ? 0.0f : from * (1.0f - r) * (1.0f - r);
}

}  // namespace

float NoteFrequency(int midi) { return 440.0f * std::pow(2.0f, (midi - 69) / 12.0f); }

int ParseNote(const char* name) {
  static const int kSemitone[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (name[0] == 'r') return -1;
  int semitone = kSemitone[name[0] - 'A'];
  int i = 1;
  if (name[i] == '#') semitone++, i++;
  if (name[i] == 'b') semitone--, i++;
  return 12 * (name[i] - '0' + 1) + semitone;
}

std::vector<float> Render(const Voice& v, float from, float to, float seconds, unsigned seed) {
  const int frames = int((seconds + v.env.release) * kSampleRate);
  std::vector<float> out(frames);
  float phase = 0.0f, held = 0.0f, smooth = 0.0f;
  unsigned state = seed * 2654435761u + 12345u;
  auto nextRandom = [&state] {
    state = state * 1664525u + 1013904223u;  // the classic LCG: fixed, so every build sounds the same
    return float((state >> 8) & 0xFFFF) / 32768.0f - 1.0f;
  };
  for (int i = 0; i < frames; i++) {
    const float t = float(i) / kSampleRate;
    const float glide = seconds > 0 ? std::min(t / seconds, 1.0f) : 1.0f;
    float freq = from * std::pow(to / from, glide);
    if (v.vibratoDepth > 0 && t > v.vibratoDelay)
      freq *= std::pow(2.0f, v.vibratoDepth / 12.0f * std::sin(2 * std::numbers::pi_v<float> * v.vibratoRate * t));
    const float dt = freq / kSampleRate;
    float s = 0.0f;
    switch (v.wave) {
      case Wave::Square: {
        s = phase < v.duty ? 1.0f : -1.0f;
        s += PolyBlep(phase, dt);
        float down = phase - v.duty;
        if (down < 0) down += 1.0f;
        s -= PolyBlep(down, dt);
        break;
      }
      case Wave::Triangle:
        s = phase < 0.5f ? 4.0f * phase - 1.0f : 3.0f - 4.0f * phase;
        break;
      case Wave::Noise:
        if (phase + dt >= 1.0f || i == 0) held = nextRandom();
        s = held;
        break;
    }
    phase += dt;
    phase -= std::floor(phase);
    smooth += (s - smooth) * v.lowPass;
    out[i] = smooth * Level(v.env, t, seconds);
  }
  return out;
}

Track::Track(int frames, bool looping) : frames_(frames), looping_(looping), left_(frames), right_(frames) {}

void Track::Add(const std::vector<float>& mono, int startFrame, float gain, float pan) {
  const float angle = (pan + 1.0f) * std::numbers::pi_v<float> / 4.0f;
  const float gl = gain * std::cos(angle) * std::numbers::sqrt2_v<float>;
  const float gr = gain * std::sin(angle) * std::numbers::sqrt2_v<float>;
  for (size_t i = 0; i < mono.size(); i++) {
    int f = startFrame + int(i);
    if (looping_) f %= frames_;
    if (f < 0 || f >= frames_) continue;
    left_[f] += mono[i] * gl;
    right_[f] += mono[i] * gr;
  }
}

std::vector<int16_t> Track::Finish(float peak) const {
  float loudest = 1e-6f;
  for (int i = 0; i < frames_; i++) loudest = std::max({loudest, std::fabs(left_[i]), std::fabs(right_[i])});
  const float scale = peak * 32767.0f / loudest;
  std::vector<int16_t> out(size_t(frames_) * 2);
  for (int i = 0; i < frames_; i++) {
    out[2 * i] = int16_t(std::lround(left_[i] * scale));
    out[2 * i + 1] = int16_t(std::lround(right_[i] * scale));
  }
  return out;
}

std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples) {
  const uint32_t dataBytes = uint32_t(samples.size() * 2);
  std::vector<uint8_t> out;
  out.reserve(44 + dataBytes);
  auto put = [&out](uint32_t v, int bytes) {
    for (int i = 0; i < bytes; i++) out.push_back(uint8_t(v >> (8 * i)));
  };
  auto tag = [&out](const char* t) {
    for (int i = 0; i < 4; i++) out.push_back(uint8_t(t[i]));
  };
  tag("RIFF");
  put(36 + dataBytes, 4);
  tag("WAVE");
  tag("fmt ");
  put(16, 4);
  put(1, 2);  // PCM
  put(2, 2);  // channels
  put(kSampleRate, 4);
  put(kSampleRate * 4, 4);  // bytes per second
  put(4, 2);                // bytes per frame
  put(16, 2);               // bits per sample
  tag("data");
  put(dataBytes, 4);
  for (int16_t s : samples) put(uint16_t(s), 2);
  return out;
}
