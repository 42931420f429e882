// The library as its users get it: `cmake --install` into a prefix, a client
// built with pkg-config, and only the specified functions exported.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "render_support.h"
#include "render_songs.h"
#include "run_program.h"
#include "temp_files.h"

namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A command's standard output ("" when it fails).
std::string Output(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[512];
    while (size_t got = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, got);
    if (pclose(pipe) != 0) output.clear();
  }
  return output;
}

// The client HACKING.md shows its readers, as written there.
std::string ClientFromHacking() {
  const std::string hacking = ReadText(fs::path(TERVANE_SOURCE_DIR) / "HACKING.md");
  const size_t marker = hacking.find("<!-- quelt client -->");
  const size_t start = hacking.find("```cpp\n", marker);
  const size_t end = hacking.find("```", start + 7);
  if (marker == std::string::npos || start == std::string::npos || end == std::string::npos) return "";
  return hacking.substr(start + 7, end - start - 7);
}

// Names of the functions and data a header set declares for export: the
// last word before "(" or ";" on each line that starts with QUELT_API.
std::vector<std::string> DeclaredExports(const fs::path& includeFolder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(includeFolder)) {
    std::istringstream lines(ReadText(entry.path()));
    for (std::string line; std::getline(lines, line);) {
      if (line.rfind("QUELT_API ", 0) != 0) continue;
      std::string head = line.substr(0, line.find_first_of("(;"));
      while (!head.empty() && head.back() == ' ') head.pop_back();
      names.push_back(head.substr(head.find_last_of(" *&") + 1));
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Names of what a shared object exports, without the linker's own symbols.
std::vector<std::string> ExportedNames(const fs::path& library) {
  std::vector<std::string> names;
  std::istringstream lines(Output("nm -D --defined-only -C '" + library.string() + "'"));
  for (std::string line; std::getline(lines, line);) {
    const std::string name = line.substr(std::min(line.size(), line.find(' ', line.find(' ') + 1) + 1));
    const std::string bare = name.substr(0, name.find('('));
    // AddressSanitizer adds an indicator for each exported variable.
    const bool artefact = bare == "__bss_start" || bare == "_edata" || bare == "_end" || bare.rfind("__odr_asan", 0) == 0;
    if (!artefact) names.push_back(bare);
  }
  std::sort(names.begin(), names.end());
  return names;
}

struct InstallTest : ::testing::Test {
  static void SetUpTestSuite() {
    prefix = fs::temp_directory_path() / ("quelt_install_" + std::to_string(getpid()));
    fs::remove_all(prefix);
    installed = render_support::Run("cmake --install '" + std::string(TERVANE_BINARY_DIR) + "' --prefix '" +
                                    prefix.string() + "' > '" + prefix.string() + ".log' 2>&1") == 0;
  }
  static void TearDownTestSuite() {
    fs::remove_all(prefix);
    fs::remove(prefix.string() + ".log");
  }
  static std::string PkgConfig(const std::string& arguments) {
    std::string output = Output("PKG_CONFIG_PATH='" + (prefix / "lib/pkgconfig").string() + "' pkg-config " + arguments);
    while (!output.empty() && output.back() == '\n') output.pop_back();
    return output;
  }
  static fs::path LibraryFolder() { return PkgConfig("--variable=libdir quelt"); }

  static inline fs::path prefix;
  static inline bool installed = false;
};

// Guards against an install that misses a piece a user needs (versioned
// library and its links, headers, view module, pkg-config file, player),
// a pkg-config file that points elsewhere than the installed tree, and a
// documented client that does not build or play against it.
TEST_F(InstallTest, AClientBuildsWithPkgConfigAndMixesASecond) {
  ASSERT_TRUE(installed) << ReadText(prefix.string() + ".log");
  const fs::path lib = LibraryFolder();
  ASSERT_FALSE(lib.empty());
  EXPECT_TRUE(fs::is_regular_file(lib / "libquelt.so.0.1.1"));
  EXPECT_EQ(fs::read_symlink(lib / "libquelt.so.0"), "libquelt.so.0.1.1");
  EXPECT_TRUE(fs::is_symlink(lib / "libquelt.so"));
  EXPECT_NE(Output("objdump -p '" + (lib / "libquelt.so").string() + "'").find("SONAME               libquelt.so.0"),
            std::string::npos);
  EXPECT_TRUE(fs::exists(prefix / "include/quelt/quelt.h"));
  EXPECT_TRUE(fs::exists(prefix / "bin/quelt-play"));
#ifdef QUELT_DIALOG_GTK_MODULE
  EXPECT_TRUE(fs::exists(lib / "quelt/quelt-dialog-gtk.so"));
#endif
  EXPECT_EQ(PkgConfig("--modversion quelt"), "0.1.1");

  const std::string client = ClientFromHacking();
  ASSERT_FALSE(client.empty()) << "HACKING.md lost its client";
  std::ofstream(prefix / "client.cpp") << client;
  const std::string build = std::string(TERVANE_CXX_COMPILER) + " " + TERVANE_SANITIZE_FLAGS + " '" +
                            (prefix / "client.cpp").string() + "' -o '" + (prefix / "client").string() + "' " +
                            PkgConfig("--cflags --libs quelt") + " -Wl,-rpath,'" + lib.string() + "' 2>&1";
  ASSERT_EQ(render_support::Run(build + " > '" + prefix.string() + ".log'"), 0) << ReadText(prefix.string() + ".log");

  const std::string song = WriteTempFile("install_song.xm", render_songs::XmSong());
  const fs::path capture = prefix / "capture.raw";
  const ProgramRun run = RunProgram({(prefix / "client").string(), song},
                                    {.environment = {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + capture.string(),
                                                     "ASAN_OPTIONS=detect_leaks=0"},
                                     .limitMs = 20000});
  EXPECT_EQ(run.status, 0) << run.errors;
  const std::string pcm = ReadText(capture);
  EXPECT_GT(pcm.size(), 44100u * 4 * 3 / 4);
  EXPECT_LT(pcm.size(), 44100u * 4 * 2);
  EXPECT_NE(pcm.find_first_not_of('\0'), std::string::npos);
}

// Guards against internals leaking into the library's exports, or exports
// missing from the installed headers.
TEST_F(InstallTest, TheLibraryExportsOnlyWhatItsHeadersDeclare) {
  ASSERT_TRUE(installed);
  const std::vector<std::string> declared = DeclaredExports(prefix / "include/quelt");
  EXPECT_EQ(declared.size(), 30u);  // 28 functions, an overload, QLT_ID
  EXPECT_EQ(ExportedNames(LibraryFolder() / "libquelt.so"), declared);
}

// Guards against the library or the game linking a toolkit: GTK belongs to
// the dialog's view module alone.
TEST_F(InstallTest, NeitherTheLibraryNorTheGameLinksGtk) {
  ASSERT_TRUE(installed);
  for (const fs::path& program : {LibraryFolder() / "libquelt.so", fs::path(TERVANE_GAME_PROGRAM)}) {
    if (!fs::exists(program)) continue;  // a build of the library's tests alone has no game
    const std::string libraries = Output("ldd '" + program.string() + "'");
    EXPECT_FALSE(libraries.empty()) << program;
    EXPECT_EQ(libraries.find("gtk"), std::string::npos) << program << "\n" << libraries;
  }
#ifdef QUELT_DIALOG_GTK_MODULE
  EXPECT_NE(Output("ldd '" + (LibraryFolder() / "quelt/quelt-dialog-gtk.so").string() + "'").find("libgtk-3"),
            std::string::npos);
#endif
}

// Guards against an installed player that cannot find the installed view
// module (it is looked for relative to the program, wherever the prefix is).
TEST_F(InstallTest, TheInstalledPlayerFindsTheViewModule) {
#ifndef QUELT_DIALOG_GTK_MODULE
  GTEST_SKIP() << "the view module is not built";
#endif
  ASSERT_TRUE(installed);
  const std::string song = WriteTempFile("install_play.xm", render_songs::XmSong());
  const ProgramRun run = RunProgram({(prefix / "bin/quelt-play").string(), "--settings", "--start", "1000", song},
                                    {.environment = {"SDL_AUDIODRIVER=dummy", "DISPLAY=", "WAYLAND_DISPLAY=",
                                                     "QUELT_DIALOG_MODULE=", "ASAN_OPTIONS=detect_leaks=0"},
                                     .limitMs = 20000});
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_NE(run.errors.find("settings dialog cannot be shown: no display"), std::string::npos) << run.errors;
}

}  // namespace
