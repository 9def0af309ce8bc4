// The eight effects and the three music loops. Effects are short and each
// has its own shape (blip, bloop, jingle, ding, zap, thud, crash, tumble) so
// the player can tell them apart without looking.
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>

#include "catalog.h"
#include "synth.h"

namespace {

int Frames(float seconds) { return int(seconds * kSampleRate); }
float Hz(const char* note) { return NoteFrequency(ParseNote(note)); }

Voice Square(float duty, Envelope env) { return {Wave::Square, duty, env}; }
Voice Triangle(Envelope env) { return {Wave::Triangle, 0.5f, env}; }
Voice Noise(Envelope env, float lowPass = 1.0f) {
  Voice v{Wave::Noise, 0.5f, env};
  v.lowPass = lowPass;
  return v;
}

// --- Effects ---------------------------------------------------------------

std::vector<int16_t> MenuSelect() {
  Track m(Frames(0.26f), false);
  const Voice blip = Square(0.25f, {0.002f, 0.03f, 0.6f, 0.05f});
  m.Add(Render(blip, Hz("E6"), Hz("E6"), 0.05f), 0, 0.6f);
  m.Add(Render(blip, Hz("B6"), Hz("B6"), 0.1f), Frames(0.06f), 0.6f);
  return m.Finish(0.7f);
}

std::vector<int16_t> MakeBlock() {
  Track m(Frames(0.4f), false);
  m.Add(Render(Triangle({0.004f, 0.1f, 0.6f, 0.08f}), 220, 880, 0.14f), 0, 0.9f);
  const Voice sparkle = Square(0.125f, {0.002f, 0.04f, 0.4f, 0.05f});
  const char* notes[] = {"C6", "E6", "G6", "C7"};
  for (int i = 0; i < 4; i++)
    m.Add(Render(sparkle, Hz(notes[i]), Hz(notes[i]), 0.04f), Frames(0.1f + 0.045f * i), 0.35f, i % 2 ? 0.4f : -0.4f);
  return m.Finish(0.75f);
}

std::vector<int16_t> KeyTaken() {
  Track m(Frames(0.8f), false);
  const Voice bell = Square(0.5f, {0.002f, 0.05f, 0.55f, 0.1f});
  const char* notes[] = {"G5", "C6", "E6", "G6"};
  for (int i = 0; i < 4; i++) m.Add(Render(bell, Hz(notes[i]), Hz(notes[i]), 0.06f), Frames(0.07f * i), 0.45f);
  Voice ring = Square(0.25f, {0.003f, 0.2f, 0.5f, 0.2f});
  ring.vibratoDepth = 0.25f;
  ring.vibratoDelay = 0.05f;
  ring.vibratoRate = 9.0f;
  m.Add(Render(ring, Hz("C7"), Hz("C7"), 0.3f), Frames(0.28f), 0.45f);
  m.Add(Render(Triangle({0.003f, 0.2f, 0.6f, 0.2f}), Hz("C5"), Hz("C5"), 0.3f), Frames(0.28f), 0.6f);
  return m.Finish(0.75f);
}

std::vector<int16_t> Item() {
  Track m(Frames(0.4f), false);
  const Voice coin = Square(0.25f, {0.001f, 0.3f, 0.0f, 0.02f});
  m.Add(Render(coin, Hz("B5"), Hz("B5"), 0.06f), 0, 0.55f);
  m.Add(Render(coin, Hz("E6"), Hz("E6"), 0.3f), Frames(0.06f), 0.55f);
  return m.Finish(0.7f);
}

std::vector<int16_t> Shot() {
  Track m(Frames(0.22f), false);
  m.Add(Render(Square(0.5f, {0.001f, 0.16f, 0.0f, 0.02f}), 1500, 260, 0.16f), 0, 0.55f);
  m.Add(Render(Noise({0.001f, 0.05f, 0.0f, 0.02f}, 0.5f), 6000, 6000, 0.05f, 14), 0, 0.25f);
  return m.Finish(0.7f);
}

std::vector<int16_t> BlockHit() {
  Track m(Frames(0.18f), false);
  m.Add(Render(Triangle({0.001f, 0.1f, 0.0f, 0.02f}), 190, 55, 0.1f), 0, 1.0f);
  m.Add(Render(Noise({0.001f, 0.06f, 0.0f, 0.02f}, 0.35f), 2400, 1200, 0.06f, 15), 0, 0.5f);
  return m.Finish(0.8f);
}

std::vector<int16_t> MagicBreak() {
  Track m(Frames(0.55f), false);
  m.Add(Render(Noise({0.001f, 0.38f, 0.0f, 0.05f}), 11000, 3000, 0.4f, 16), 0, 0.45f, -0.2f);
  m.Add(Render(Noise({0.001f, 0.25f, 0.0f, 0.05f}, 0.4f), 2500, 800, 0.3f, 17), Frames(0.03f), 0.45f, 0.2f);
  m.Add(Render(Square(0.125f, {0.001f, 0.3f, 0.1f, 0.05f}), 1200, 180, 0.32f), 0, 0.3f);
  return m.Finish(0.75f);
}

std::vector<int16_t> EnemyDown() {
  Track m(Frames(0.55f), false);
  m.Add(Render(Noise({0.001f, 0.08f, 0.0f, 0.02f}, 0.6f), 4000, 4000, 0.08f, 18), 0, 0.5f);
  const Voice tumble = Square(0.5f, {0.002f, 0.04f, 0.6f, 0.03f});
  const char* notes[] = {"C6", "G5", "E5", "C5", "G4"};
  for (int i = 0; i < 5; i++)
    m.Add(Render(tumble, Hz(notes[i]), Hz(notes[i]) * 0.97f, 0.05f), Frames(0.02f + 0.06f * i), 0.4f);
  m.Add(Render(Triangle({0.002f, 0.3f, 0.2f, 0.05f}), 420, 70, 0.35f), Frames(0.05f), 0.6f);
  return m.Finish(0.75f);
}

// --- Music -----------------------------------------------------------------

// A loop of whole bars in 4/4, in sixteenth-note steps.
struct Song {
  float bpm;
  int bars;
  double StepFrames() const { return kSampleRate * 60.0 / bpm / 4.0; }
  int Frames() const { return int(std::lround(bars * 16 * StepFrames())); }
  int At(int step) const { return int(std::lround(step * StepFrames())); }
  float Seconds(int steps) const { return float(steps * StepFrames() / kSampleRate); }
};

// Notes written as "E5:6 A4:2 r:4": a name (or r for a rest) and a length
// in sixteenths. `legato` is the share of each length the note is held.
void Play(Track& m, const Song& song, const Voice& v, const std::string& notes, float gain, float pan,
          float legato = 0.9f, int transpose = 0) {
  std::istringstream in(notes);
  std::string token;
  int step = 0;
  unsigned seed = 1;
  while (in >> token) {
    const size_t colon = token.find(':');
    const int length = std::atoi(token.c_str() + colon + 1);
    const int midi = ParseNote(token.substr(0, colon).c_str());
    if (midi >= 0) {
      const float f = NoteFrequency(midi + transpose);
      m.Add(Render(v, f, f, song.Seconds(length) * legato, seed++), song.At(step), gain, pan);
    }
    step += length;
  }
}

struct Chord {
  int root;  // MIDI number in octave 3
  bool minor;
};

// "Am", "Bb", "F#m" -> root and quality.
Chord ParseChord(const std::string& name) {
  std::string note = name.substr(0, 1);
  size_t i = 1;
  if (i < name.size() && (name[i] == '#' || name[i] == 'b')) note += name[i++];
  return {ParseNote((note + "3").c_str()), i < name.size() && name[i] == 'm'};
}

// One bar per chord. The pattern names chord tones per step group:
// R root, T third, F fifth, O octave, H the third an octave up, '-' rest.
std::string Voicing(const std::string& chords, const std::string& pattern, int octaveShift) {
  std::istringstream in(chords);
  std::string chord, out;
  while (in >> chord) {
    const Chord c = ParseChord(chord);
    std::istringstream p(pattern);
    std::string part;
    while (p >> part) {
      const char tone = part[0];
      const std::string length = part.substr(part.find(':'));
      int midi = c.root + 12 * octaveShift;
      if (tone == 'T') midi += c.minor ? 3 : 4;
      if (tone == 'F') midi += 7;
      if (tone == 'O') midi += 12;
      if (tone == 'H') midi += 12 + (c.minor ? 3 : 4);
      static const char* kNames[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
      out += tone == '-' ? "r" + length + " " : kNames[midi % 12] + std::to_string(midi / 12 - 1) + length + " ";
    }
  }
  return out;
}

// Drum bars: k kick, s snare, h closed hat, o open hat, '.' silence; one
// sixteenth a character. A bar is one or more 16-step layers run together;
// the bars repeat over the song.
void Drums(Track& m, const Song& song, const std::vector<std::string>& bars, float gain) {
  const Voice kick = Triangle({0.001f, 0.14f, 0.0f, 0.02f});
  const Voice snare = Noise({0.001f, 0.12f, 0.0f, 0.04f}, 0.7f);
  const Voice snareBody = Triangle({0.001f, 0.06f, 0.0f, 0.02f});
  const Voice hat = Noise({0.001f, 0.03f, 0.0f, 0.01f});
  const Voice open = Noise({0.001f, 0.14f, 0.0f, 0.04f});
  unsigned seed = 100;
  for (int bar = 0; bar < song.bars; bar++) {
    const std::string& pattern = bars[bar % bars.size()];
    for (int i = 0; i < int(pattern.size()); i++) {
      const int at = song.At(bar * 16 + i % 16);
      switch (pattern[i]) {
        case 'k':
          m.Add(Render(kick, 150, 42, 0.13f), at, gain * 1.3f);
          break;
        case 's':
          m.Add(Render(snare, 9000, 5000, 0.1f, seed++), at, gain * 0.55f);
          m.Add(Render(snareBody, 200, 150, 0.05f), at, gain * 0.5f);
          break;
        case 'h':
          m.Add(Render(hat, 16000, 16000, 0.02f, seed++), at, gain * 0.22f, 0.3f);
          break;
        case 'o':
          m.Add(Render(open, 14000, 14000, 0.1f, seed++), at, gain * 0.2f, 0.3f);
          break;
        default:
          break;
      }
    }
  }
}

// Inviting: a calm minor melody over slow arpeggios, 90 beats a minute.
std::vector<int16_t> TitleLoop() {
  const Song song{90, 8};
  Track m(song.Frames(), true);
  Voice lead = Square(0.25f, {0.01f, 0.15f, 0.6f, 0.12f});
  lead.vibratoDepth = 0.15f;
  Play(m, song, lead,
       "E5:6 A4:2 C5:4 E5:4  F5:6 E5:2 C5:4 A4:4  G4:6 C5:2 E5:4 G5:4  D5:8 B4:4 G4:4 "
       "E5:6 A4:2 C5:4 E5:4  A5:6 G5:2 F5:4 C5:4  D5:4 G5:4 F5:4 D5:4  B4:8 G#4:4 E4:4",
       0.32f, 0.0f, 0.92f);
  const std::string chords = "Am F C G Am F G E";
  Play(m, song, Square(0.125f, {0.005f, 0.1f, 0.3f, 0.15f}), Voicing(chords, "R:2 T:2 F:2 O:2 H:2 O:2 F:2 T:2", 1),
       0.13f, 0.45f, 0.8f);
  Play(m, song, Triangle({0.01f, 0.1f, 0.8f, 0.1f}), Voicing(chords, "R:4 F:4 O:4 F:4", -1), 0.5f, -0.1f);
  Drums(m, song,
        {"k.......k......."
         "....s.......s..."
         "..h...h...h...h."},
        0.35f);
  return m.Finish(0.5f);
}

// Driving: a busy minor tune over pumping eighths, 140 beats a minute.
std::vector<int16_t> LevelLoop() {
  const Song song{140, 16};
  Track m(song.Frames(), true);
  Voice lead = Square(0.5f, {0.004f, 0.08f, 0.55f, 0.06f});
  lead.vibratoDepth = 0.12f;
  lead.vibratoDelay = 0.2f;
  Play(m, song, lead,
       "D5:2 D5:2 A4:2 D5:2 F5:4 E5:2 D5:2  C5:2 D5:2 r:2 A4:2 F4:4 A4:4  Bb4:4 D5:4 F5:4 D5:4  "
       "E5:4 G5:4 E5:2 C5:2 E5:4  D5:2 D5:2 A4:2 D5:2 F5:4 G5:2 A5:2  A5:6 G5:2 F5:4 E5:4  "
       "D5:4 F5:4 Bb5:4 A5:2 G5:2  A5:8 C#5:4 E5:4  G5:6 F5:2 D5:4 Bb4:4  C5:2 D5:2 Bb4:4 G4:8  "
       "A4:4 D5:4 F5:4 A5:4  G5:2 F5:2 E5:2 D5:2 E5:4 F5:4  D5:6 F5:2 Bb5:8  C6:4 Bb5:2 A5:2 G5:4 E5:4  "
       "A5:4 E5:4 C#5:4 E5:4  A4:2 C#5:2 E5:2 A5:2 G5:2 E5:2 C#5:2 A4:2",
       0.26f, 0.0f, 0.85f);
  const std::string chords = "Dm Dm Bb C Dm Dm Bb A Gm Gm Dm Dm Bb C A A";
  Play(m, song, Square(0.125f, {0.002f, 0.06f, 0.25f, 0.04f}),
       Voicing(chords, "R:1 F:1 O:1 F:1 T:1 F:1 O:1 H:1 R:1 F:1 O:1 F:1 T:1 F:1 O:1 H:1", 1), 0.1f, -0.45f, 0.7f);
  Play(m, song, Triangle({0.003f, 0.05f, 0.8f, 0.04f}), Voicing(chords, "R:2 R:2 O:2 R:2 R:2 R:2 O:2 F:2", -1), 0.55f,
       0.1f, 0.8f);
  const std::string beat = "k.....k.k.......", back = "....s.......s...", hats = "h.h.h.h.h.h.h.ho";
  const std::string fillBeat = "k.....k.k.k.k.k.", fillBack = "....s.....s.ssss";
  std::vector<std::string> bars;
  for (int bar = 0; bar < 16; bar++) {
    const bool fill = bar % 8 == 7;
    bars.push_back((fill ? fillBeat : beat) + (fill ? fillBack : back) + hats);
  }
  Drums(m, song, bars, 0.4f);
  return m.Finish(0.5f);
}

// Triumphant: a major fanfare with a marching beat, 120 beats a minute.
std::vector<int16_t> HighScoreLoop() {
  const Song song{120, 12};
  Track m(song.Frames(), true);
  Voice brass = Square(0.5f, {0.006f, 0.1f, 0.7f, 0.08f});
  brass.vibratoDepth = 0.18f;
  const std::string melody =
      "G4:2 C5:2 E5:2 G5:6 E5:2 G5:2  A5:6 G5:2 F5:4 A5:4  G5:4 D5:4 B4:4 D5:4  C5:4 E5:4 G5:8  "
      "A5:4 C6:4 B5:2 A5:2 G5:4  F5:6 G5:2 A5:4 F5:4  G5:6 F5:2 E5:2 D5:2 B4:4  C5:8 G4:4 C5:4  "
      "F5:4 A5:4 C6:6 A5:2  B5:4 G5:4 D6:8  C6:6 G5:2 E5:4 G5:4  C6:12 r:4";
  Play(m, song, brass, melody, 0.26f, -0.1f, 0.9f);
  // The same tune a fifth lower on a thinner voice, like a second horn.
  Play(m, song, Square(0.25f, {0.01f, 0.1f, 0.5f, 0.08f}), melody, 0.1f, 0.4f, 0.8f, -5);
  const std::string chords = "C F G C Am F G C F G C C";
  Play(m, song, Square(0.125f, {0.004f, 0.08f, 0.35f, 0.06f}), Voicing(chords, "-:2 T:2 F:2 O:2 -:2 T:2 F:2 O:2", 1),
       0.1f, -0.45f, 0.7f);
  Play(m, song, Triangle({0.005f, 0.08f, 0.8f, 0.06f}), Voicing(chords, "R:4 F:4 O:4 F:4", -1), 0.55f, 0.1f, 0.85f);
  Drums(m, song,
        {"k.......k......."
         "....s.......s.ss"
         "h.h.h.h.h.h.h.h.",
         "k.......k......."
         "....s.......s..."
         "h.h.h.h.h.h.h.h."},
        0.4f);
  return m.Finish(0.5f);
}

const Sound kSounds[] = {
    {SndMenuSelect, "select.wav", MenuSelect},
    {SndMakeBlock, "make_block.wav", MakeBlock},
    {SndKeyTaken, "key.wav", KeyTaken},
    {SndItem, "item.wav", Item},
    {SndShot, "shot.wav", Shot},
    {SndBlockHit, "block_hit.wav", BlockHit},
    {SndMagicBreak, "magic_break.wav", MagicBreak},
    {SndEnemyDown, "enemy_down.wav", EnemyDown},
    {LoopTitle, "title_loop.wav", TitleLoop},
    {LoopLevel, "level_loop.wav", LevelLoop},
    {LoopHighScore, "high_score_loop.wav", HighScoreLoop},
};

}  // namespace

std::span<const Sound> Sounds() { return kSounds; }
