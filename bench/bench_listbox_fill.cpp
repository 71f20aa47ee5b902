// Filling a list box the way a playlist fills: AddRow and RowTag for each of n rows (100,000
// unless given), on a shown window offscreen; then the first layout and paint, and selecting
// the last row. Median of five runs. Prints figures.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QCoreApplication>

#include "app/Main.h"
#include "bench/BenchUtil.h"
#include "framework/Dispatch.h"
#include "framework/Listbox.h"
#include "framework/Runtime.h"
#include "framework/Window.h"

namespace {}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const int rows = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
  RuntimeInit();
  RuntimeSetExceptionHelper(CallFunctionWithExceptionHandling);
  std::vector<double> fill, paint, select;
  for (int run = 0; run < 5; ++run) {
    auto window = std::make_shared<Window>();
    window->Constructor();
    auto list = window->New<Listbox>();
    list->Constructor();
    window->AddControl("List", list);
    SetProperties(*list, {{"Left", 20}, {"Top", 46}, {"Width", 370}, {"Height", 374}});
    auto tag = std::make_shared<Object>();

    const auto start = Clock::now();
    for (int i = 0; i < rows; ++i) {
      list->AddRow("track " + std::to_string(i) + ".mp3");
      list->RowTag(list->LastIndex(), tag);
    }
    const auto filled = Clock::now();
    QCoreApplication::processEvents();
    const auto painted = Clock::now();
    list->ListIndex(rows - 1);
    QCoreApplication::processEvents();
    const auto selected = Clock::now();

    fill.push_back(Millis(start, filled));
    paint.push_back(Millis(filled, painted));
    select.push_back(Millis(painted, selected));
    list = nullptr;
    window->CloseWindow();
    window = nullptr;
    QCoreApplication::processEvents();
  }
  std::printf(
      "list box, %d rows: fill %.1f ms, first layout and paint %.1f ms, "
      "select the last row %.1f ms\n",
      rows, Median(fill), Median(paint), Median(select));
  RuntimeReleaseGlobals();
  return RuntimeExit();
}
