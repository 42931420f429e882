// The sound bank as InitSound reads it: entries taken apart at their fixed
// positions, handed to the mixer, and what a missing or damaged bank does.
#include <gtest/gtest.h>

#include <cstring>

#include <fstream>
#include <iterator>

#include "game/options_file.h"
#include "sound/sound_bank.h"
#include "support/program_stops.h"
#include "support/scratch_folder.h"
#include "tests/sound/bank_builder.h"
#include "tests/sound/recording_sound.h"

namespace {

using namespace sound_testing;

class SoundBankTest : public ::testing::Test {
 protected:
  SoundBankTest() {
    GameOptions = TGameOptions{1, 1, 1, 1};
    folder.Write("music.xm", {});
  }

  // Starts the sound side and gives what it wrote to standard error.
  std::string Start() {
    testing::internal::CaptureStderr();
    InitSound();
    return testing::internal::GetCapturedStderr();
  }
  std::vector<std::string> Creations() {
    std::vector<std::string> creations;
    for (const std::string& call : sound.Calls()) {
      if (call.rfind("QueltCreateSample", 0) == 0) creations.push_back(call);
    }
    return creations;
  }
  // The sample an event plays: the number in its QueltPlaySample call.
  std::string PlayedFor(int event) {
    sound.ClearCalls();
    PlaySoundEvent(event);
    const std::vector<std::string> calls = sound.Calls();
    return calls.empty() ? "nothing" : calls.back();
  }

  testing_support::ScratchFolder folder;
  RecordingSound sound;
};

TEST_F(SoundBankTest, EachEntryBecomesTheSampleItsHeaderDescribes) {
  // Guards against data read from the wrong offset or with the wrong length,
  // a rate passed uncut, 8-bit WAVE data played as if signed, stereo data
  // taken as mono, reads past a short entry, and a ninth entry being read
  // (it is damaged here: reading it would stop the program).
  const std::vector<uint8_t> mono16 = Counting(44100, 1);
  const std::vector<uint8_t> mono8 = Counting(1000, 2);
  std::vector<int16_t> stereo;
  for (int frame = 0; frame < 100; ++frame) {
    stereo.push_back(static_cast<int16_t>(frame * 300 - 20000));
    stereo.push_back(static_cast<int16_t>(-frame * 100 + 5));
  }
  const std::vector<uint8_t> withExtraFormat = Counting(100, 3);
  const std::vector<uint8_t> cutShort = Counting(300, 4);
  WriteBank(folder, {
                        Wave({}, mono16),
                        Wave({.rate = 11025, .bits = 8}, mono8),
                        Wave({.rate = 70000}, Counting(200, 5)),
                        Wave({.channels = 2}, Pcm16(stereo)),
                        Wave({.formatSize = 18}, withExtraFormat),
                        Wave({.declaredSize = 10000}, cutShort),
                        std::vector<uint8_t>(20, 'R'),
                        Wave({}, Counting(64, 6)),
                        Wave({}, Counting(64, 7)),
                    });
  std::vector<uint8_t> bank;
  {
    std::ifstream in(kSoundBankFile, std::ios::binary);
    bank.assign(std::istreambuf_iterator<char>(in), {});
  }
  bank[16 + 32 * 8 + 12] ^= 0xFF;  // entry 9's stored checksum
  folder.Write(kSoundBankFile, bank);

  std::string errors;
  const testing_support::ProgramStop stop = testing_support::StopOf([&] { errors = Start(); });
  ASSERT_EQ(stop.kind, testing_support::StopKind::kNone) << stop.what();
  EXPECT_EQ(errors, "Tervane: sounds.dat: no sound could be made of entry 7; that effect stays silent\n");

  EXPECT_EQ(Creations(), (std::vector<std::string>{
                             "QueltCreateSample(22050, 22050, 16)",
                             "QueltCreateSample(1000, 11025, 8)",
                             "QueltCreateSample(100, 4464, 16)",
                             "QueltCreateSample(100, 22050, 16)",
                             "QueltCreateSample(50, 22050, 16)",
                             "QueltCreateSample(150, 22050, 16)",
                             "QueltCreateSample(32, 22050, 16)",
                         }));
  auto& samples = sound.samples;
  auto data = [&](int index, size_t bytes) {
    return std::vector<uint8_t>(samples[index].buffer.begin(), samples[index].buffer.begin() + bytes);
  };
  EXPECT_EQ(data(10, 44100), mono16);  // from byte 44 of the entry, unchanged
  std::vector<uint8_t> signed8 = mono8;
  for (uint8_t& value : signed8) value ^= 0x80;
  EXPECT_EQ(data(11, 1000), signed8);
  std::vector<int16_t> mixedDown;
  for (size_t frame = 0; frame < 100; ++frame) mixedDown.push_back((stereo[2 * frame] + stereo[2 * frame + 1]) / 2);
  EXPECT_EQ(data(13, 200), Pcm16(mixedDown));
  EXPECT_EQ(data(14, 100), withExtraFormat);  // data at 28 + 18
  EXPECT_EQ(data(15, 300), cutShort);
  // Nothing was written past the frames handed out.
  EXPECT_EQ(samples[10].buffer[44100], 0xEE);
  EXPECT_EQ(samples[11].buffer[1000], 0xEE);

  // The events find their samples by entry: marking plays entry 8, a new
  // map entry 7, which holds nothing.
  EXPECT_EQ(PlayedFor(4), "QueltPlaySample(16, 20, 128, 0)");
  EXPECT_EQ(PlayedFor(60), "QueltPlaySample(-1, 64, 128, 0)");
}

TEST_F(SoundBankTest, AMissingOrUnusableBankLeavesTheEffectsSilent) {
  // Guards against a start-up that stops, crashes or builds samples from
  // entries it never read when the bank is absent or not a pack, and
  // against a silence nobody is told about.
  for (bool present : {false, true}) {
    if (present) folder.Write(kSoundBankFile, std::vector<uint8_t>(100, 7));
    EXPECT_EQ(Start(), "Tervane: sounds.dat is missing or unusable; the game plays on without sound effects\n");
    EXPECT_TRUE(Creations().empty());
    EXPECT_EQ(PlayedFor(1), "QueltPlaySample(-1, 64, 128, 0)");
    ShutdownSound();
    sound.ClearCalls();
  }
}

TEST_F(SoundBankTest, AFailedSampleCreationCopiesNothing) {
  // Guards against data copied through a buffer the mixer did not hand
  // out, and a sample number kept from a failed creation.
  WriteSoundFiles(folder);
  sound.failingCreations = {2};
  EXPECT_EQ(Start(), "Tervane: sounds.dat: no sound could be made of entry 2; that effect stays silent\n");
  EXPECT_EQ(Creations().size(), 8u);
  EXPECT_EQ(sound.samples.count(11), 0u);
  EXPECT_EQ(sound.refusedBuffer, std::vector<uint8_t>(sound.refusedBuffer.size(), 0xEE));
  EXPECT_EQ(PlayedFor(10), "QueltPlaySample(-1, 64, 128, 0)");
  EXPECT_EQ(PlayedFor(1), "QueltPlaySample(10, 64, 128, 0)");
}

}  // namespace
