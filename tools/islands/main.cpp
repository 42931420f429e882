// tervane-islands: writes the island archive ("islands.ptr", "islands.inf")
// and the layout files ("islands2.inf", "islands3.inf", "islands4.inf") of
// the game into a folder, the same bytes on every run.
//
//   tervane-islands --output <folder> [--seed <number>] [--summary]
//                   [--preview <folder>]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "tools/islands/archive_files.h"
#include "tools/islands/generator.h"
#include "tools/islands/output_files.h"
#include "tools/islands/preview.h"
#include "tools/islands/summary.h"

namespace {

struct Options {
  std::string output;
  std::string preview;
  uint64_t seed = islands::kShippedSeed;
  bool summary = false;
};

[[noreturn]] void Usage() {
  std::fprintf(stderr,
               "usage: tervane-islands --output <folder> [--seed <number>] [--summary] "
               "[--preview <folder>]\n");
  std::exit(2);
}

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    bool hasValue = i + 1 < argc;
    if (argument == "--output" && hasValue) {
      options.output = argv[++i];
    } else if (argument == "--preview" && hasValue) {
      options.preview = argv[++i];
    } else if (argument == "--seed" && hasValue) {
      char* end = nullptr;
      options.seed = std::strtoull(argv[++i], &end, 0);
      if (*end != '\0') Usage();
    } else if (argument == "--summary") {
      options.summary = true;
    } else {
      Usage();
    }
  }
  if (options.output.empty()) Usage();
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  Options options = ParseOptions(argc, argv);
  try {
    auto started = std::chrono::steady_clock::now();
    islands::MapTypeSummary summaries[4];
    for (islands::MapTypeSummary& summary : summaries) summary.askHintKey = options.summary;
    std::vector<islands::StoredIsland> archived = islands::MakeIslands(options.seed, summaries[0]);
    islands::ArchiveFiles archive = islands::PackArchive(archived);
    islands::VerifyArchive(archive, archived);
    std::vector<uint8_t> layouts[3];
    for (int type = 2; type <= 4; ++type) {
      layouts[type - 2] = islands::MakeLayoutFile(type, options.seed, summaries[type - 1]);
    }
    islands::WriteOutputFile(options.output, "islands.ptr", archive.pointers);
    islands::WriteOutputFile(options.output, "islands.inf", archive.data);
    for (int type = 2; type <= 4; ++type) {
      islands::WriteOutputFile(options.output, "islands" + std::to_string(type) + ".inf",
                               layouts[type - 2]);
    }
    if (!options.preview.empty()) islands::WritePreviews(options.preview, archived);
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (options.summary) islands::PrintSummary(summaries, seconds);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "tervane-islands: %s\n", error.what());
    return 1;
  }
  return 0;
}
