// The work a press does besides starting a process, and the lookups behind every event: each is
// timed per call over the whole catalog. They are meant to be far too fast to matter next to a
// window's pictures or a process start.
#include "catalog/catalog.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/category_window.h"
#include "catalog/link_commands.h"
#include "forms/qt/start_program.h"

namespace {

// Keeps the compiler from dropping a result nobody reads.
template <typename T>
void Keep(const T& value) {
  asm volatile("" : : "g"(&value) : "memory");
}

// Nanoseconds per call: `pass` makes `calls` calls; passes repeat for at least 50 ms, five
// times, and the median of the five is taken.
double NsPerCall(std::size_t calls, const std::function<void()>& pass) {
  std::vector<double> samples;
  for (int sample = 0; sample < 5; ++sample) {
    const auto start = std::chrono::steady_clock::now();
    std::size_t passes = 0;
    std::chrono::nanoseconds elapsed{};
    do {
      pass();
      ++passes;
      elapsed = std::chrono::steady_clock::now() - start;
    } while (elapsed < std::chrono::milliseconds(50));
    samples.push_back(static_cast<double>(elapsed.count()) / static_cast<double>(passes * calls));
  }
  std::sort(samples.begin(), samples.end());
  return samples[2];
}

void Row(const char* what, std::size_t calls, const std::function<void()>& pass) {
  std::printf("| %s | %zu | %.1f |\n", what, calls, NsPerCall(calls, pass));
}

}  // namespace

int main() {
  using vestora::Catalog;
  // Names as runtime strings, as events bring them, so that nothing is folded at compile time.
  std::vector<std::string> windows;
  std::vector<std::string> mainButtons;
  std::vector<std::pair<const vestora::Category*, std::string>> cellButtons;
  std::vector<const vestora::ItemLink*> links;
  for (const vestora::Category& category : Catalog()) {
    windows.emplace_back(category.windowName);
    mainButtons.emplace_back(category.mainButton);
    for (const vestora::ItemCell& cell : vestora::Cells(category)) {
      cellButtons.emplace_back(&category, std::string(vestora::CommandName(cell.button)));
      if (cell.HasLink()) links.push_back(&cell.link);
    }
  }
  std::vector<std::string> lines;
  for (const vestora::ItemLink* link : links) lines.push_back(vestora::BuildCommandLine(*link));

  std::printf("| operation | calls per pass | ns per call |\n|---|---:|---:|\n");
  Row("BuildCommandLine, every link", links.size(), [&] {
    for (const vestora::ItemLink* link : links) Keep(vestora::BuildCommandLine(*link));
  });
  Row("AddressOf (reads the Windows command line), every link", lines.size(), [&] {
    for (const std::string& line : lines) Keep(vestora::qt::AddressOf(line));
  });
  Row("CategoryByWindow, every window", windows.size(), [&] {
    for (const std::string& name : windows) Keep(vestora::CategoryByWindow(name));
  });
  Row("CategoryByMainButton, every button", mainButtons.size(), [&] {
    for (const std::string& name : mainButtons) Keep(vestora::CategoryByMainButton(name));
  });
  Row("CellByButton, every cell", cellButtons.size(), [&] {
    for (const auto& [category, name] : cellButtons) {
      Keep(vestora::CellByButton(*category, name));
    }
  });
  Row("PictureFileName, every cell", cellButtons.size(), [&] {
    for (const vestora::Category& category : Catalog()) {
      for (const vestora::ItemCell& cell : vestora::Cells(category)) {
        Keep(vestora::PictureFileName(category, cell));
      }
    }
  });
  Row("DescribeCategoryWindow, every window", windows.size(), [&] {
    for (const vestora::Category& category : Catalog()) {
      Keep(vestora::app::DescribeCategoryWindow(category));
    }
  });
  std::printf("\n%zu links, %zu cells, %zu windows.\n", links.size(), cellButtons.size(),
              windows.size());
  return 0;
}
