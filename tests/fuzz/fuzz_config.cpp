// The configuration file: whatever loads writes back in a form that loads
// to the same map, and the stored level always names a level that exists.
#include "config/keyword_map.h"
#include "flow/game_flow.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  KeywordMap* map = CreateKeywordMap(256);
  {
    ByteStream in(data, size);
    LoadKeywordStream(map, in.get());
  }
  const int level = ContinueLevel(GetKeyword(map, "level"));
  if (level < 0 || level >= kLevelCount) std::abort();
  ExpectSavesLoadBack(
      data, size,
      [map](FILE* in) {
        ClearKeywordMap(map);
        LoadKeywordStream(map, in);
      },
      [map](FILE* out) { return WriteKeywordStream(map, out); }, "configuration");
  DestroyKeywordMap(map);
  return 0;
}
