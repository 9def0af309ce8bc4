// The player's moves a level can be proven to need: the search is told
// which to refuse, and refuses a pass that does one whatever input led to it.
#pragma once

#include <cstdint>
#include <string>

enum Idea : uint32_t {
  IdeaFire = 1u << 0,   // a fireball thrown (a charge spent)
  IdeaLow = 1u << 1,    // block magic cast crouching, at the cell in front and below
  IdeaMake = 1u << 2,   // a block made (or its forming restarted)
  IdeaBreak = 1u << 3,  // a block broken by block magic
  IdeaBump = 1u << 4,   // a block cracked or broken by a knock of the head
  IdeaStun = 1u << 5,   // a sentry stunned by block magic
};

struct IdeaName {
  Idea idea;
  const char* name;  // as --forbid takes it
  const char* what;  // for the usage text
};

inline constexpr IdeaName kIdeaNames[] = {
    {IdeaFire, "fire", "fireballs"},
    {IdeaLow, "low", "block magic aimed low, crouching"},
    {IdeaMake, "make", "making blocks"},
    {IdeaBreak, "break", "breaking blocks with magic"},
    {IdeaBump, "bump", "cracking and breaking blocks with the head"},
    {IdeaStun, "stun", "stunning a sentry with magic"},
};

// "fire,low" into a set of ideas; 0, or -1 with the word no idea has in `unknown`.
int ParseIdeas(const std::string& text, uint32_t* ideas, std::string* unknown);
// The set's names, comma-separated ("" for none).
std::string IdeaList(uint32_t ideas);
