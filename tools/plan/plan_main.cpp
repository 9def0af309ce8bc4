// plan: turns a level plan into an input script by playing it against the
// real simulation. A plan line is either plain script tokens ("R30 RU Z .20")
// or one input held until conditions on the game state hold after a pass:
//   R until x>=341          L until col<=4 g==1          . until at==0
// Fields: f x y col row fx fy vx vy st g at face cr life magic key door dying
// taken clear (pixels for x and y). Prints the expanded script, one line per plan
// line with the plan line as a comment, then the outcome of the attempt.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/system.h"
#include "flow/headless.h"
#include "game/game_state.h"
#include "game/recording.h"
#include "game/replay.h"
#include "graphics/bitmap_set.h"

namespace {

constexpr size_t kCapacity = 1 << 16;
constexpr int kMaxHold = 3000;

struct Condition {
  std::string field;
  std::string op;
  int value;
};

struct Step {
  std::string text;             // the plan line
  std::vector<uint8_t> inputs;  // plain tokens
  bool hold = false;
  uint8_t holdMask = 0;
  std::vector<Condition> until;
};

struct Planner {
  std::vector<Step> steps;
  size_t step = 0;
  int held = 0;  // passes given to the current hold step
  Recording* recording;
  size_t filled = 0;                 // passes whose input is decided
  std::vector<size_t> stepStart;     // first pass of each step
  std::vector<std::string> stepEnd;  // where the player was when each step ended
  bool failed = false;
};

int Field(const System* sys, const std::string& name, int f, bool* ok) {
  const GameState* g = sys->game;
  const Player& p = g->player;
  const int x = p.x >> 12, y = p.y >> 12;
  *ok = true;
  if (name == "f") return f;
  if (name == "x") return x;
  if (name == "y") return y;
  if (name == "col") return x / 48;
  if (name == "row") return y / 48;
  if (name == "fx") return x % 48;
  if (name == "fy") return y % 48;
  if (name == "vx") return p.vx;
  if (name == "vy") return p.vy;
  if (name == "st") return p.state;
  if (name == "g") return p.onGround;
  if (name == "at") return p.actionTimer;
  if (name == "face") return p.facing;
  if (name == "cr") return p.crouching;
  if (name == "life") return p.life;
  if (name == "magic") return p.magic;
  if (name == "key") return ItemOwnsSprite(&g->key) ? 1 : 0;
  if (name == "door") return g->door.sprite ? g->door.sprite->frame : 0;
  if (name == "dying") return p.dying;
  if (name == "taken") return g->itemsTaken;
  if (name == "clear") return p.clearTimer > 0 ? 1 : 0;
  *ok = false;
  return 0;
}

bool Holds(const System* sys, const Condition& c, int f) {
  bool ok = false;
  const int v = Field(sys, c.field, f, &ok);
  if (c.op == ">=") return v >= c.value;
  if (c.op == "<=") return v <= c.value;
  if (c.op == "==") return v == c.value;
  if (c.op == "!=") return v != c.value;
  if (c.op == ">") return v > c.value;
  return v < c.value;
}

std::string Describe(const System* sys, int f) {
  const Player& p = sys->game->player;
  char text[96];
  std::snprintf(text, sizeof text, "f%d x%d y%d st%d g%d life%d", f, p.x >> 12, p.y >> 12, p.state, p.onGround, p.life);
  return text;
}

bool ParseCondition(const std::string& text, Condition* c) {
  static const char* const kOps[] = {">=", "<=", "==", "!=", ">", "<"};
  for (const char* op : kOps) {
    const size_t at = text.find(op);
    if (at == std::string::npos || at == 0) continue;
    c->field = text.substr(0, at);
    c->op = op;
    c->value = std::atoi(text.c_str() + at + std::strlen(op));
    bool ok = false;
    static const char* const kFields[] = {"f",    "x",     "y",   "col",  "row",   "fx",    "fy",
                                          "vx",   "vy",    "st",  "g",    "at",    "face",  "cr",
                                          "life", "magic", "key", "door", "dying", "taken", "clear"};
    for (const char* name : kFields) ok = ok || c->field == name;
    return ok;
  }
  return false;
}

bool ParsePlan(const std::string& text, std::vector<Step>* steps) {
  size_t start = 0;
  int number = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    number++;
    const size_t hash = line.find('#');
    if (hash != std::string::npos) line.resize(hash);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r' || line.back() == '\t')) line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    Step step;
    step.text = line.substr(line.find_first_not_of(" \t"));
    const size_t until = line.find(" until ");
    if (until == std::string::npos) {
      step.inputs.resize(kCapacity);
      const long n = ParseInputScript(line.c_str(), step.inputs.data(), step.inputs.size());
      if (n < 0) {
        std::fprintf(stderr, "plan: line %d is not script tokens: %s\n", number, line.c_str());
        return false;
      }
      step.inputs.resize(static_cast<size_t>(n));
    } else {
      uint8_t mask[4];
      const std::string input = line.substr(0, until);
      if (ParseInputScript(input.c_str(), mask, sizeof mask) != 1) {
        std::fprintf(stderr, "plan: line %d holds more than one input: %s\n", number, line.c_str());
        return false;
      }
      step.hold = true;
      step.holdMask = mask[0];
      size_t p = until + 7;
      while (p < line.size()) {
        size_t q = line.find(' ', p);
        if (q == std::string::npos) q = line.size();
        if (q > p) {
          Condition c;
          if (!ParseCondition(line.substr(p, q - p), &c)) {
            std::fprintf(stderr, "plan: line %d has a bad condition: %s\n", number, line.substr(p, q - p).c_str());
            return false;
          }
          step.until.push_back(c);
        }
        p = q + 1;
      }
      if (step.until.empty()) return false;
    }
    steps->push_back(step);
  }
  return true;
}

void AfterPass(System* sys, int f, const int*, int, void* context) {
  auto* plan = static_cast<Planner*>(context);
  // Decide the input of the next pass (index f) from the plan.
  while (plan->filled <= static_cast<size_t>(f) && plan->step < plan->steps.size()) {
    const Step& step = plan->steps[plan->step];
    if (plan->stepStart.size() == plan->step) plan->stepStart.push_back(plan->filled);
    if (!step.hold) {
      if (plan->filled + step.inputs.size() > kCapacity) break;
      std::memcpy(plan->recording->inputs + plan->filled, step.inputs.data(), step.inputs.size());
      plan->filled += step.inputs.size();
      plan->step++;
      continue;
    }
    bool done = true;
    for (const Condition& c : step.until) done = done && Holds(sys, c, f);
    if (done) {
      plan->stepEnd.resize(plan->step);
      plan->stepEnd.push_back(Describe(sys, f));
      plan->step++;
      plan->held = 0;
      continue;
    }
    if (++plan->held > kMaxHold) {
      std::fprintf(stderr, "plan: \"%s\" still not met after %d passes\n", step.text.c_str(), kMaxHold);
      plan->failed = true;
      sys->sceneEnd = 1;
      return;
    }
    plan->recording->inputs[plan->filled++] = step.holdMask;
  }
  if (plan->step >= plan->steps.size() && plan->filled <= static_cast<size_t>(f))
    plan->recording->inputCount = plan->filled;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: plan LEVEL PLANFILE   (prints the input script and the outcome)\n");
    return 2;
  }
  const int level = std::atoi(argv[1]) - 1;
  FILE* file = std::fopen(argv[2], "rb");
  if (!file || level < 0 || level >= kLevelCount) {
    std::fprintf(stderr, "plan: cannot read %s\n", argv[2]);
    return 1;
  }
  std::string text;
  char chunk[4096];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, n);
  std::fclose(file);

  Planner plan;
  if (!ParsePlan(text, &plan.steps)) return 1;
  std::vector<uint8_t> inputs(kCapacity, 0);
  Recording recording{};
  recording.version = kRecordingVersion;
  NewGameAttemptStart(&recording.start, level);
  recording.inputs = inputs.data();
  recording.inputCount = kCapacity;
  plan.recording = &recording;

  System* sys = StartHeadlessGame(HeadlessConsole);
  if (!sys) return 1;
  const ReplayObserver observer = {AfterPass, &plan, 0};
  ReplayOutcome outcome{};
  RunReplay(sys, &recording, &observer, &outcome);

  // The script: the passes actually played, grouped by plan line.
  const size_t played = static_cast<size_t>(outcome.frames);
  plan.stepStart.resize(plan.steps.size() + 1, played);
  for (size_t s = 0; s < plan.steps.size(); s++) {
    const size_t from = std::min(plan.stepStart[s], played);
    const size_t to = std::min(s + 1 < plan.stepStart.size() ? plan.stepStart[s + 1] : played, played);
    if (from >= to) continue;
    std::string line(FormatInputScript(inputs.data() + from, to - from, nullptr, 0), '\0');
    FormatInputScript(inputs.data() + from, to - from, line.data(), line.size() + 1);
    const std::string end = s < plan.stepEnd.size() ? plan.stepEnd[s] : "";
    std::printf("%-32s # %-28s %s\n", line.c_str(), plan.steps[s].text.c_str(), end.c_str());
  }
  std::fflush(stdout);
  PrintReplayOutcome(stderr, level, &outcome);
  StopHeadlessGame(sys);
  return plan.failed ? 1 : 0;
}
