// The configuration file: whatever loads writes back in a form that loads
// to the same map, and the stored level always names a level that exists.
#include "config/keyword_map.h"
#include "flow/game_flow.h"
#include "fuzz_support.h"

namespace {

// The file the map would be saved as, in memory.
size_t Write(const KeywordMap* map, char** text) {
  size_t size = 0;
  FILE* out = open_memstream(text, &size);
  if (!out || WriteKeywordStream(map, out) != 0) std::abort();
  std::fclose(out);
  return size;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  KeywordMap* map = CreateKeywordMap(256);
  {
    ByteStream in(data, size);
    LoadKeywordStream(map, in.get());
  }
  const int level = ContinueLevel(GetKeyword(map, "level"));
  if (level < 0 || level >= kLevelCount) std::abort();

  char* first = nullptr;
  const size_t firstSize = Write(map, &first);
  KeywordMap* reloaded = CreateKeywordMap(256);
  {
    ByteStream in(reinterpret_cast<const uint8_t*>(first), firstSize);
    LoadKeywordStream(reloaded, in.get());
  }
  char* second = nullptr;
  const size_t secondSize = Write(reloaded, &second);
  if (firstSize != secondSize || std::memcmp(first, second, firstSize) != 0) {
    std::fprintf(stderr, "a saved configuration loads back differently\n");
    std::abort();
  }
  std::free(first);
  std::free(second);
  DestroyKeywordMap(reloaded);
  DestroyKeywordMap(map);
  return 0;
}
