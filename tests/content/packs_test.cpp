#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "game_directory.h"
#include "graphics/packs/reader.h"

namespace content_test {
namespace {

constexpr uint16_t kImageKey = 28411;

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

std::string EntryName(int index) {
  const PackDirectoryEntry* entry = PackEntry(index);
  return std::string(entry->name, entry->nameLength);
}

// Every name a screen loads from its pack: its own pictures and, for each
// button, the hover picture plus the optional default and pressed ones that
// the pack holds.
std::vector<std::string> WantedNames(const std::string& folder) {
  std::vector<std::string> names = ScreenPictures().at(folder);
  size_t count = ReadScreenButtons(folder).size();
  for (size_t n = 1; n <= count; ++n) names.push_back("but" + std::to_string(n));
  return names;
}

class PackTest : public GameDirectoryTest {
 protected:
  void TearDown() override {
    ClosePack();
    GameDirectoryTest::TearDown();
  }
};

// Guards against a screen folder without its pack, a pack that the reader
// refuses, or one not scrambled with the image key.
TEST_F(PackTest, EveryScreenPackOpensWithTheImageKey) {
  for (const auto& [folder, pictures] : ScreenPictures()) {
    ASSERT_TRUE(OpenPack(folder + "\\graphics.dat", kImageKey)) << folder;
    EXPECT_GT(PackEntryCount(), 0) << folder;
    ClosePack();
  }
}

// Guards against missing pictures: the game ends with a fatal error when a
// picture it loads is not in the pack.
TEST_F(PackTest, EveryPackHoldsEveryPictureItsScreenLoads) {
  for (const auto& [folder, pictures] : ScreenPictures()) {
    ASSERT_TRUE(OpenPack(folder + "\\graphics.dat", kImageKey)) << folder;
    for (const std::string& name : WantedNames(folder)) {
      int index = FindEntry(name);
      ASSERT_NE(index, 0) << folder << "\\" << name;
      EXPECT_EQ(Upper(EntryName(index)), Upper(name)) << folder << "\\" << name;
    }
    ClosePack();
  }
}

// Guards against entry order: lookup takes the first name that contains the
// wanted text, so "but1" placed after "defbut1" or "prbut1" would load the
// wrong picture. Every entry must be the first match of its own name.
TEST_F(PackTest, EveryEntryIsFoundByItsOwnName) {
  for (const auto& [folder, pictures] : ScreenPictures()) {
    ASSERT_TRUE(OpenPack(folder + "\\graphics.dat", kImageKey)) << folder;
    for (int index = 1; index <= PackEntryCount(); ++index) {
      EXPECT_EQ(FindEntry(EntryName(index)), index) << folder << "\\" << EntryName(index);
    }
    ClosePack();
  }
}

// Guards against attributes that send a picture to the wrong decoder: 1
// means JPEG data, anything else a Windows bitmap.
TEST_F(PackTest, AttributesMatchTheStoredPictureData) {
  for (const auto& [folder, pictures] : ScreenPictures()) {
    ASSERT_TRUE(OpenPack(folder + "\\graphics.dat", kImageKey)) << folder;
    for (int index = 1; index <= PackEntryCount(); ++index) {
      std::vector<uint8_t> data;
      ASSERT_GT(ExtractEntry(index, data), 2u) << folder << "\\" << EntryName(index);
      bool jpeg = data[0] == 0xFF && data[1] == 0xD8;
      bool bitmap = data[0] == 'B' && data[1] == 'M';
      EXPECT_TRUE(jpeg || bitmap) << folder << "\\" << EntryName(index);
      EXPECT_EQ(EntryAttribute(index, 0) == 1, jpeg) << folder << "\\" << EntryName(index);
    }
    ClosePack();
  }
}

}  // namespace
}  // namespace content_test
