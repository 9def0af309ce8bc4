// solve: finds a way through a level by itself and the traps in it. Prints
// the solution as an input script the record tool reads, its figures, what
// it meets (enemies, items taken and changed), every trap with the input
// that leads into it, deaths by something not seen coming, and how long a
// player who does nothing lives. Exit status 0 when the level is
// solved and every place reached was checked and none is a trap, 1
// otherwise, 2 for a bad command line, 3 when the search itself failed.
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <string>

#include "flow/headless.h"
#include "game/game_state.h"
#include "game/recording.h"
#include "solve/ideas.h"
#include "solve/level_search.h"
#include "solve/workers.h"

namespace {

constexpr int kMostWorkers = 64;

void PrintUsage() {
  std::fprintf(stderr,
               "usage: solve --level N [--maps DIR/ | --map FILE] [--budget PASSES] [--places N] [--script OUT]\n"
               "             [--workers N] [--forbid IDEA[,IDEA...]]\n"
               "Searches level N (its map in DIR, ./Media/map/ by default, or FILE) for a way to the door and\n"
               "for traps. The budget counts simulated passes (default %ld), so a run is the same on any machine\n"
               "and with any number of workers, 1 to 64 (default: one per processor, here %d). With --forbid the\n"
               "search refuses every pass that does one of these:\n",
               SearchLimits{}.budget, OnlineProcessors());
  for (const IdeaName& idea : kIdeaNames) std::fprintf(stderr, "  %-6s %s\n", idea.name, idea.what);
}

void PrintMet(const SearchResult& result) {
  const std::string kinds = KindList(result.kindsMet);
  std::printf("met on the way: %s\n", kinds.empty() ? "nothing hostile" : kinds.c_str());
  std::string items;
  for (int type = 1; type < static_cast<int>(result.taken.size()); type++)
    if (result.taken[type] > 0)
      items += (items.empty() ? "" : ", ") + std::to_string(result.taken[type]) + " " + ItemName(type) + " (type " +
               std::to_string(type) + ")";
  std::printf("items taken: %s\n", items.empty() ? "none" : items.c_str());
  for (const ItemChange& change : result.changes)
    std::printf("changed by magic in pass %d: the %s (type %d) at column %d, row %d became a %s (type %d)\n",
                change.pass, ItemName(change.from), change.from, change.column, change.row, ItemName(change.to),
                change.to);
  std::string ideas;
  for (size_t i = 0; i < std::size(kIdeaNames); i++)
    ideas += (i ? ", " : "") + std::string(kIdeaNames[i].name) + " " + std::to_string(result.ideaPasses[i]);
  std::printf("ideas used (passes): %s\n", ideas.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  int level = 0;
  std::string maps = kMapDir, map, scriptPath;
  SearchLimits limits;
  bool usage = false;
  for (int i = 1; i < argc; i++) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--level" && hasValue) {
      level = std::atoi(argv[++i]) - 1;
    } else if (arg == "--maps" && hasValue) {
      maps = argv[++i];
      if (maps.back() != '/') maps += '/';
    } else if (arg == "--map" && hasValue) {
      map = argv[++i];
    } else if (arg == "--budget" && hasValue) {
      limits.budget = std::atol(argv[++i]);
    } else if (arg == "--places" && hasValue) {
      limits.maxPlaces = std::atoi(argv[++i]);
    } else if (arg == "--script" && hasValue) {
      scriptPath = argv[++i];
    } else if (arg == "--workers" && hasValue) {
      limits.workers = std::atoi(argv[++i]);
      usage = usage || limits.workers <= 0 || limits.workers > kMostWorkers;
    } else if (arg == "--forbid" && hasValue) {
      std::string unknown;
      if (ParseIdeas(argv[++i], &limits.forbid, &unknown) != 0) {
        std::fprintf(stderr, "solve: no idea is called \"%s\"\n", unknown.c_str());
        usage = true;
      }
    } else {
      usage = true;
    }
  }
  if (usage || level < 0 || level >= kLevelCount || limits.budget <= 0 || limits.maxPlaces <= 0) {
    PrintUsage();
    return 2;
  }
  System* sys = StartHeadlessGame(HeadlessConsole);
  if (!sys) return 1;
  std::snprintf(sys->game->mapDir, sizeof sys->game->mapDir, "%s", maps.c_str());
  const SearchResult result = SearchLevel(sys, level, map.empty() ? nullptr : map.c_str(), limits);
  StopHeadlessGame(sys);
  if (!result.failure.empty()) {
    std::fprintf(stderr, "solve: the search failed: %s\n", result.failure.c_str());
    return 3;
  }

  const std::string without = limits.forbid ? " without " + IdeaList(limits.forbid) : "";
  if (result.solved) {
    std::printf("level %d: solved%s, door at pass %d, %zu passes with the clear; %d casts, %d fireballs, %d jumps\n",
                level + 1, without.c_str(), result.doorPass, result.solution.size(), result.casts, result.fireballs,
                result.jumps);
    const std::string script = ScriptOf(result.solution);
    if (!scriptPath.empty()) {
      FILE* out = std::fopen(scriptPath.c_str(), "wb");
      if (!out || std::fprintf(out, "%s\n", script.c_str()) < 0 || std::fclose(out) != 0) {
        std::fprintf(stderr, "solve: cannot write %s\n", scriptPath.c_str());
        return 1;
      }
    } else {
      std::printf("%s\n", script.c_str());
    }
    PrintMet(result);
  } else {
    std::printf("level %d: no way to the door found%s, %s\n", level + 1, without.c_str(),
                result.exhausted ? "and every place reached was tried" : "within the budget");
  }
  std::printf("searched %ld passes, %d resting places", result.passes, result.places);
  if (result.unchecked > 0) std::printf(", %d left unchecked by the budget", result.unchecked);
  if (result.doomed > 0) std::printf(", %d where only an enemy ends the attempt", result.doomed);
  std::printf("\n");
  // One line a cell, with the shortest way into it: the grid and charges it
  // was found with only tell the ways in apart.
  std::map<std::pair<int, int>, std::pair<const Trap*, int>> cells;
  for (const Trap& trap : result.traps) {
    auto& [shortest, count] = cells[{trap.column, trap.row}];
    if (!shortest || trap.inputs.size() < shortest->inputs.size()) shortest = &trap;
    count++;
  }
  for (const auto& [cell, found] : cells) {
    const std::string into = ScriptOf(found.first->inputs);
    std::printf("trap at column %d, row %d (%d ways in): %s\n", cell.first, cell.second, found.second, into.c_str());
  }
  if (result.traps.empty()) std::printf("no trap found\n");
  std::printf(
      "deaths met by the search: %d; by something never on screen before: %d; on screen less than half a second "
      "before: %d\n",
      result.deaths, result.neverSeen, result.seenLate);
  for (const SuddenDeath& death : result.suddenDeaths) {
    const std::string into = ScriptOf(death.inputs);
    if (death.seenFor == 0) {
      std::printf("unseen: %s killed the player at column %d, row %d: %s\n", death.killer.c_str(), death.column,
                  death.row, into.c_str());
    } else {
      std::printf("sudden: %s, on screen %d passes before, killed the player at column %d, row %d: %s\n",
                  death.killer.c_str(), death.seenFor, death.column, death.row, into.c_str());
    }
  }
  if (result.idlePasses < kIdleWatchPasses) {
    std::printf("a player who does nothing dies %d passes (%.1f s) after the intro\n", result.idlePasses,
                static_cast<double>(result.idlePasses) / kFramesPerSecond);
  } else {
    std::printf("a player who does nothing lives %d s after the intro and more\n", kIdleWatchPasses / kFramesPerSecond);
  }
  return result.solved && result.traps.empty() && result.complete ? 0 : 1;
}
