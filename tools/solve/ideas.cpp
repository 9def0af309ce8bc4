#include "solve/ideas.h"

int ParseIdeas(const std::string& text, uint32_t* ideas, std::string* unknown) {
  *ideas = 0;
  size_t start = 0;
  for (;;) {
    const size_t comma = text.find(',', start);
    const std::string word = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    bool known = false;
    for (const IdeaName& idea : kIdeaNames)
      if (word == idea.name) {
        *ideas |= idea.idea;
        known = true;
      }
    if (!known) {
      *unknown = word;
      return -1;
    }
    if (comma == std::string::npos) return 0;
    start = comma + 1;
  }
}

std::string IdeaList(uint32_t ideas) {
  std::string list;
  for (const IdeaName& idea : kIdeaNames)
    if (ideas & idea.idea) list += (list.empty() ? "" : ",") + std::string(idea.name);
  return list;
}
