// The quelt-render program: its options reach the rendering, it writes a
// valid WAVE file of the requested format and length, and it refuses bad
// command lines and files.
#include <gtest/gtest.h>

#include <string>

#include "temp_files.h"
#include "module_builders.h"
#include "render.h"
#include "render_songs.h"
#include "render_support.h"

namespace {

std::string Program() { return QUELT_RENDER_PROGRAM; }

std::string SongFile() { return WriteTempFile("render_tool.xm", render_songs::XmSong()); }

// Guards against the format options being ignored or the header disagreeing
// with the data.
TEST(RenderTool, WritesTheRequestedFormatAndLength) {
  const std::string output = std::string(::testing::TempDir()) + "render_tool.wav";
  ASSERT_EQ(render_support::Run(Program() + " --rate 22050 --mono --8bit --interpolation 1 --seconds 2 '" +
                                SongFile() + "' '" + output + "' > /dev/null"),
            0);
  WaveData wave;
  ASSERT_TRUE(ReadWaveFile(output, wave));
  EXPECT_EQ(wave.rate, 22050u);
  EXPECT_EQ(wave.channels, 1u);
  EXPECT_EQ(wave.bits, 8u);
  EXPECT_EQ(wave.bytes.size(), 44100u);
}

// Guards against a song that ends being padded, or a looping render stopping
// at the end of the song.
TEST(RenderTool, StopsAtTheEndUnlessLooping) {
  const std::string output = std::string(::testing::TempDir()) + "render_tool_end.wav";
  const std::string song = SongFile();
  ASSERT_EQ(render_support::Run(Program() + " '" + song + "' '" + output + "' > /dev/null"), 0);
  WaveData once;
  ASSERT_TRUE(ReadWaveFile(output, once));
  const size_t songBytes = once.bytes.size();
  EXPECT_GT(songBytes, 44100u * 4 * 5);
  ASSERT_EQ(render_support::Run(Program() + " --loop --seconds 30 '" + song + "' '" + output + "' > /dev/null"), 0);
  WaveData looped;
  ASSERT_TRUE(ReadWaveFile(output, looped));
  EXPECT_EQ(looped.bytes.size(), 44100u * 4 * 30);
}

// Guards against bad command lines or unreadable modules producing a file or
// a success status.
TEST(RenderTool, RefusesBadArguments) {
  const std::string output = std::string(::testing::TempDir()) + "render_tool_bad.wav";
  EXPECT_EQ(render_support::Run(Program() + " > /dev/null 2>&1"), 2);
  EXPECT_EQ(render_support::Run(Program() + " --rate 0 a b > /dev/null 2>&1"), 2);
  EXPECT_EQ(render_support::Run(Program() + " --interpolation 3 a b > /dev/null 2>&1"), 2);
  EXPECT_EQ(render_support::Run(Program() + " --loop '" + SongFile() + "' x.wav > /dev/null 2>&1"), 2);
  const std::string notAModule = WriteTempFile("render_tool.txt", {'h', 'e', 'l', 'l', 'o'});
  EXPECT_EQ(render_support::Run(Program() + " '" + notAModule + "' '" + output + "' > /dev/null 2>&1"), 1);
}

// Guards against the renderer leaving the library configured for itself.
TEST(RenderTool, RenderingRestoresTheLibraryDefaults) {
  RenderOptions options;
  options.rate = 8000;
  options.interpolation = 0;
  options.seconds = 0.5;
  const RenderResult result = RenderModuleFile(SongFile(), options);
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(result.frames, 4000u);
  EXPECT_EQ(result.end, RenderEnd::TimeLimit);
  EXPECT_EQ(RenderModuleFile("/nonexistent/song.xm", options).ok, false);
}

}  // namespace
