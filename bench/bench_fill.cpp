// Filling a playlist from a folder of 10,000 and of 100,000 files (three ".mp3" in every ten):
// the time of Window1::FillListWithMusic next to the time of a bare directory listing
// (opendir/readdir) of the same folder, in the same run. Median of five runs. Prints figures.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/Main.h"
#include "app/MenuBar1.h"
#include "bench/BenchUtil.h"
#include "framework/Dispatch.h"
#include "framework/FolderItem.h"
#include "framework/FrameworkTypes.h"
#include "framework/Listbox.h"
#include "framework/Runtime.h"
#include "framework/TypeRegistry.h"
#include "player/Window1.h"

namespace {

// Makes a folder of n empty files; in every ten, three end in ".mp3".
std::string MakeFolder(const std::string& root, int files) {
  const std::string folder = root + "/files-" + std::to_string(files);
  mkdir(folder.c_str(), 0755);
  for (int i = 0; i < files; ++i) {
    const int kind = i % 10;
    const char* ending = kind == 1 ? ".mp3" : kind == 4 ? ".MP3" : kind == 7 ? ".mp3" : ".txt";
    char name[64];
    std::snprintf(name, sizeof name, "/Track %06d%s", i, ending);
    const int fd = open((folder + name).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    if (fd >= 0) close(fd);
  }
  return folder;
}

// The bare listing: every entry's name read once, nothing kept.
size_t BareListing(const std::string& folder) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return 0;
  size_t entries = 0;
  while (const dirent* entry = readdir(dir)) entries += entry->d_name[0] != '\0';
  closedir(dir);
  return entries;
}

void Measure(const std::string& root, int files) {
  const std::string folder = MakeFolder(root, files);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));  // let the folder's times settle
  std::vector<double> listing, fill, read;
  int32_t rows = 0;
  for (int run = 0; run < 5; ++run) {
    const auto l0 = Clock::now();
    const size_t entries = BareListing(folder);
    const auto l1 = Clock::now();
    listing.push_back(Millis(l0, l1));
    if (entries == 0) std::fprintf(stderr, "bench_fill: cannot list %s\n", folder.c_str());

    // The folder's own listing alone: read and put in order, on a new item.
    const auto r0 = Clock::now();
    std::make_shared<FolderItem>(folder)->Count();
    read.push_back(Millis(r0, Clock::now()));

    auto window = std::make_shared<Window1>();
    window->Layout();
    window->CreateControls();
    std::shared_ptr<Listbox> list = window->MusicList();
    auto item = std::make_shared<FolderItem>(folder);  // a new item: its listing is read anew
    const auto f0 = Clock::now();
    window->FillListWithMusic(list, item, "prompt", nullptr);
    const auto f1 = Clock::now();
    fill.push_back(Millis(f0, f1));
    rows = list->ListCount();
  }
  const double bare = Median(listing);
  const double filled = Median(fill);
  std::printf(
      "%7d files: fill %7.1f ms (%d rows)   bare listing %6.1f ms   fill/listing %5.2f   "
      "(FolderItem listing read and ordered: %6.1f ms)\n",
      files, filled, rows, bare, bare > 0 ? filled / bare : 0.0, Median(read));
}

}  // namespace

int main() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  RuntimeInit();
  RuntimeSetExceptionHelper(CallFunctionWithExceptionHandling);
  RuntimeInitFrameworkTypes();
  RuntimeLoadPlugin("BevelButton");
  char pattern[] = "/tmp/lumivox-bench-fill-XXXXXX";
  const std::string root = mkdtemp(pattern);
  std::printf(
      "fill of a list from a folder (median of 5 runs; target: fill within 3x the bare "
      "listing, 100,000 files under 1 s)\n");
  Measure(root, 10000);
  Measure(root, 100000);
  std::system(("rm -rf '" + root + "'").c_str());
  MenuBar1::ReleaseInstance();
  RuntimeReleaseGlobals();
  RuntimeExit();
  return 0;
}
