// Starts benchmark programs in turn and reads what each one reports about itself.
//   bench_start paint RUNS BASELINE PROGRAM...   time from the spawn to the first paint
//   bench_start memory RUNS BASELINE PROGRAM... [--backing-kb=N]
//                                                 peak resident memory (VmHWM); with the backing
//                                                 stores of the windows the programs show, the
//                                                 floor too: the baseline's peak plus those
// The programs run alternately, one warm-up round first, so that a slow spell of the machine
// falls on all of them alike; each round begins with the next program, so that each runs after
// each equally often, and every start waits a moment for the X server to settle. Prints a
// Markdown table of medians against the baseline.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

extern char** environ;

namespace {

constexpr std::chrono::milliseconds kSettle{150};

long long MonotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

struct Run {
  long long spawnedNs = 0;
  std::string output;
};

// Spawns `program` with one argument and collects everything it prints. Exits on failure.
Run Spawn(const std::string& program, const char* argument) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) std::exit(2);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  std::vector<char*> argv = {const_cast<char*>(program.c_str())};
  if (argument != nullptr) argv.push_back(const_cast<char*>(argument));
  argv.push_back(nullptr);
  Run run;
  pid_t pid = 0;
  run.spawnedNs = MonotonicNs();
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
    std::fprintf(stderr, "cannot start %s\n", program.c_str());
    std::exit(2);
  }
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  char buffer[256];
  ssize_t got = 0;
  while ((got = read(pipeFds[0], buffer, sizeof buffer)) > 0) run.output.append(buffer, got);
  close(pipeFds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || run.output.empty()) {
    std::fprintf(stderr, "%s failed (status %d)\n", program.c_str(), status);
    std::exit(2);
  }
  return run;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Quantile(std::vector<double> values, double q) {
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(q * static_cast<double>(values.size() - 1) + 0.5)];
}

std::string BaseName(const std::string& path) {
  return path.substr(path.find_last_of('/') + 1);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s paint|memory RUNS BASELINE PROGRAM...\n", argv[0]);
    return 2;
  }
  const std::string_view mode = argv[1];
  const bool memory = mode == "memory";
  const int runs = std::atoi(argv[2]);
  std::vector<std::string> programs;
  double backingMiB = -1;
  for (int i = 3; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument.starts_with("--backing-kb=")) {
      backingMiB = std::strtod(argv[i] + argument.find('=') + 1, nullptr) / 1024.0;
    } else {
      programs.emplace_back(argument);
    }
  }

  // Milliseconds to the first paint, or MiB of peak resident memory.
  std::vector<std::vector<double>> samples(programs.size());
  for (int round = -1; round < runs; ++round) {
    for (std::size_t i = 0; i < programs.size(); ++i) {
      // The X server tears down the windows of the program before after that program ended;
      // without the pause that work lands on whichever program starts next (some 35 ms here).
      const std::size_t p = (i + static_cast<std::size_t>(round + 1)) % programs.size();
      std::this_thread::sleep_for(kSettle);
      const Run run = Spawn(programs[p], memory ? "memory" : nullptr);
      const double value =
          memory
              ? std::strtod(run.output.c_str(), nullptr) / 1024.0
              : static_cast<double>(std::strtoll(run.output.c_str(), nullptr, 10) - run.spawnedNs) /
                    1e6;
      if (round >= 0) samples[p].push_back(value);
    }
  }

  const char* unit = memory ? "MiB" : "ms";
  const double baseline = Median(samples[0]);
  std::printf("| program | median %s | p25 | p75 | min | max | %s |\n", unit,
              memory ? "against baseline" : "ratio to baseline");
  std::printf("|---|---:|---:|---:|---:|---:|---:|\n");
  for (std::size_t p = 0; p < programs.size(); ++p) {
    const double median = Median(samples[p]);
    const auto [least, most] = std::minmax_element(samples[p].begin(), samples[p].end());
    char against[32];
    if (memory) {
      std::snprintf(against, sizeof against, "%+.1f MiB", median - baseline);
    } else {
      std::snprintf(against, sizeof against, "%.3f×", median / baseline);
    }
    std::printf("| %s | %.1f | %.1f | %.1f | %.1f | %.1f | %s |\n", BaseName(programs[p]).c_str(),
                median, Quantile(samples[p], 0.25), Quantile(samples[p], 0.75), *least, *most,
                against);
  }
  std::printf("\n%d alternating runs each, after one warm-up round, %lld ms apart.\n", runs,
              static_cast<long long>(kSettle.count()));
  if (memory && backingMiB >= 0) {
    const double floor = baseline + backingMiB;
    std::printf(
        "\nFloor: the bare window's peak %.1f MiB + the backing stores of the windows open "
        "%.1f MiB = **%.1f MiB**.\n\n",
        baseline, backingMiB, floor);
    std::printf("| program | median MiB | against floor |\n|---|---:|---:|\n");
    for (std::size_t p = 1; p < programs.size(); ++p) {
      const double median = Median(samples[p]);
      std::printf("| %s | %.1f | %+.1f MiB |\n", BaseName(programs[p]).c_str(), median,
                  median - floor);
    }
  }
  return 0;
}
