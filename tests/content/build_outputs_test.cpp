#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

std::string Value(const std::string& entry, const std::string& key) {
  size_t at = entry.find("\n" + key + "=");
  if (at == std::string::npos) return "";
  at += key.size() + 2;
  return entry.substr(at, entry.find('\n', at) - at);
}

const fs::path kGameDir = TERVANE_GAME_DIR;

// Guards against a menu entry that starts some other program, shows no icon
// or that the desktop rejects.
TEST(MenuEntry, StartsThisBuildsProgramWithItsIcon) {
  fs::path entry = kGameDir / "group" / "tervane.desktop";
  ASSERT_TRUE(fs::exists(entry));
  std::string text = ReadText(entry);
  EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0u);
  EXPECT_EQ(Value(text, "Type"), "Application");
  EXPECT_EQ(Value(text, "Exec"), "\"" + (kGameDir / "tervane").string() + "\"");
  fs::path icon = Value(text, "Icon");
  EXPECT_TRUE(icon.is_absolute());
  EXPECT_TRUE(fs::exists(icon)) << icon;
  EXPECT_TRUE(fs::exists(kGameDir / "group" / "tervane.png"));
  if (std::system("command -v desktop-file-validate > /dev/null 2>&1") == 0) {
    std::string command = "desktop-file-validate '" + entry.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
  }
}

std::vector<fs::path> FilesUnder(const fs::path& root) {
  std::vector<fs::path> files;
  for (const auto& item : fs::recursive_directory_iterator(root)) {
    if (item.is_regular_file()) files.push_back(fs::relative(item.path(), root));
  }
  return files;
}

// Guards against content tools whose output depends on anything but their
// inputs (unset memory, addresses, time): painting again must give the same
// bytes as the build did.
TEST(ContentTools, ArtGeneratorRepeatsItsPicturesByteForByte) {
  fs::path built = fs::path(TERVANE_BINARY_DIR) / "content" / "art";
  fs::path again = fs::temp_directory_path() / ("tervane-art-" + std::to_string(::getpid()));
  std::string command = std::string(TERVANE_ART_TOOL) + " --content '" + TERVANE_SOURCE_DIR +
                        "/content' --output '" + again.string() + "' --title-face '" +
                        TERVANE_FACE_CONDENSED_BOLD + "' --body-face '" + TERVANE_FACE_REGULAR +
                        "' --bold-face '" + TERVANE_FACE_BOLD + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::vector<fs::path> files = FilesUnder(built);
  EXPECT_EQ(files.size(), FilesUnder(again).size());
  for (const fs::path& file : files) {
    EXPECT_TRUE(ReadText(built / file) == ReadText(again / file)) << file;
  }
  fs::remove_all(again);
}

// The same for the font compiler.
TEST(ContentTools, FontCompilerRepeatsItsFontsByteForByte) {
  fs::path again = fs::temp_directory_path() / ("tervane-font-" + std::to_string(::getpid()) + ".fnt");
  std::string command = std::string(TERVANE_FONT_TOOL) + " --face '" + TERVANE_FACE_BOLD +
                        "' --height 20 --shadow --outline --output '" + again.string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  EXPECT_TRUE(ReadText(again) == ReadText(kGameDir / "Fonts" / "font20p.fnt"));
  fs::remove(again);
}

}  // namespace
