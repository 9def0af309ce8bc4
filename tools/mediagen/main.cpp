// The media builder: writes the whole generated part of the Media tree (all
// pictures and their lists, the font sheet, the sounds and their list, and
// the map folder's list) into the folder given on the command line, and on
// request the desktop icon, which is no part of the game's tree.
//
//   mediagen OUTDIR [--contact-sheet FILE.bmp] [--preview DIR]
//   mediagen --icon SIZE FILE.png [--icon SIZE FILE.png ...]
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "catalog.h"
#include "contact_sheet.h"
#include "font_sheet.h"
#include "icon.h"
#include "png_writer.h"
#include "synth.h"
#include "text_render.h"

namespace {

bool MakeDirs(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

bool WriteText(const std::string& path, const std::string& text) {
  return WriteFileAtomically(path, std::vector<uint8_t>(text.begin(), text.end()));
}

int Fail(const std::string& what) {
  std::fprintf(stderr, "mediagen: cannot write %s: %s\n", what.c_str(), std::strerror(errno));
  CloseFonts();
  return 1;
}

struct IconRequest {
  int size;
  std::string path;
};

int Usage() {
  std::fprintf(stderr,
               "usage: mediagen OUTDIR [--contact-sheet FILE.bmp] [--preview DIR]\n"
               "       mediagen --icon SIZE FILE.png [--icon SIZE FILE.png ...]   (SIZE a multiple of %d)\n",
               kIconBaseSize);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string root, sheetPath, previewDir;
  std::vector<IconRequest> icons;
  bool bad = false;
  for (int i = 1; i < argc && !bad; i++) {
    if (std::strcmp(argv[i], "--contact-sheet") == 0 && i + 1 < argc) {
      sheetPath = argv[++i];
    } else if (std::strcmp(argv[i], "--preview") == 0 && i + 1 < argc) {
      previewDir = argv[++i];
    } else if (std::strcmp(argv[i], "--icon") == 0 && i + 2 < argc) {
      char* end = nullptr;
      const long size = std::strtol(argv[i + 1], &end, 10);
      bad = *end != '\0' || size > 4096 || !IconSizeValid(int(size));
      icons.push_back({int(size), argv[i + 2]});
      i += 2;
    } else if (root.empty() && argv[i][0] != '-') {
      root = argv[i];
    } else {
      bad = true;
    }
  }
  if (bad || (root.empty() && (icons.empty() || !sheetPath.empty() || !previewDir.empty()))) return Usage();

  for (const IconRequest& icon : icons)
    if (!WriteFileAtomically(icon.path, EncodePng(DrawIcon(icon.size)))) return Fail(icon.path);
  if (root.empty()) return 0;
  if (root.back() != '/') root += '/';

  const std::vector<Picture> pictures = AllPictures();
  std::map<std::string, std::string> lists;  // folder -> list file text
  for (const char* dir : {kSysDir, kCharDir, kEnemyDir, kMapDir})
    lists[dir] = "# Written by the media builder (tools/mediagen); slot, file, and \"opaque\" when black is drawn.\n";
  for (const Picture& p : pictures) {
    if (!MakeDirs(root + p.dir)) return Fail(root + p.dir);
    const std::string path = root + p.dir + p.file;
    if (!WriteFileAtomically(path, EncodeBmp(p.draw(), p.keying))) return Fail(path);
    lists[p.dir] += std::to_string(p.slot) + "\t" + p.file + (p.keying == KeyNone ? "\topaque\n" : "\n");
  }
  for (const auto& [dir, text] : lists)
    if (!MakeDirs(root + dir) || !WriteText(root + dir + "list.txt", text)) return Fail(root + dir + "list.txt");
  const std::string fontPath = root + kSysDir + "font.bmp";
  if (!WriteFileAtomically(fontPath, EncodeBmp(DrawFontSheet(), KeyBlack))) return Fail(fontPath);

  if (!MakeDirs(root + kSoundDir)) return Fail(root + kSoundDir);
  std::string soundList = "# Written by the media builder (tools/mediagen): slot and file.\n";
  for (const Sound& s : Sounds()) {
    const std::string path = root + kSoundDir + s.file;
    if (!WriteFileAtomically(path, EncodeWav(s.make()))) return Fail(path);
    soundList += std::to_string(s.slot) + "\t" + s.file + "\n";
  }
  if (!WriteText(root + kSoundDir + "list.txt", soundList)) return Fail(root + kSoundDir + "list.txt");

  if (!sheetPath.empty() && !WriteFileAtomically(sheetPath, EncodeBmp(DrawContactSheet(pictures), KeyNone)))
    return Fail(sheetPath);
  if (!previewDir.empty() && (!MakeDirs(previewDir) || !WriteScreenPreviews(previewDir))) return Fail(previewDir);
  CloseFonts();
  return 0;
}
