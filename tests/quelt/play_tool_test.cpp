// quelt-play: plays real songs to their end and stops, refuses bad files by
// name while the others play, stops cleanly on Ctrl-C, shows its status line
// only on a terminal; the song scan agrees with the reference player.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "render_songs.h"
#include "render_support.h"
#include "run_program.h"
#include "song_scan.h"
#include "status_line.h"
#include "temp_files.h"

namespace {

const std::string kProgram = QUELT_PLAY_PROGRAM;
const std::string kDummyAudio = "SDL_AUDIODRIVER=dummy";

std::string ProjectMusic() { return std::string(TERVANE_GAME_DIR) + "/music.xm"; }

std::vector<std::string> ShippedSongs() {
  std::vector<std::string> songs;
  if (std::filesystem::exists(ProjectMusic())) songs.push_back(ProjectMusic());
  for (const char* folder :
       {"/usr/share/games/tecnoballz/musics", "/usr/share/games/gl-117/music", "/usr/share/games/flobopuyo/sfx"}) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
      const std::string extension = entry.path().extension();
      if (extension == ".mod" || extension == ".s3m" || extension == ".xm") songs.push_back(entry.path());
    }
  }
  std::sort(songs.begin(), songs.end());
  return songs;
}

// The last second of a song, as a --start value.
std::string LastSecondOf(const std::string& song) {
  const SongScan scan = ScanSong(song);
  return std::to_string(std::max(0.0, scan.seconds - 1.0));
}

// Guards against a player that does not stop where a song ends (or that
// loops for ever on a song that jumps back), a scan that hangs or misjudges
// a song's length, and songs it cannot play.
TEST(PlayTool, PlaysShippedSongsToTheirEndAndStops) {
  const std::vector<std::string> songs = ShippedSongs();
  if (songs.size() < 2) GTEST_SKIP() << "neither the project's music nor the Debian modules are here";
  const bool reference = render_support::HaveReferencePlayer();
  for (const std::string& song : songs) {
    SCOPED_TRACE(song);
    const SongScan scan = ScanSong(song);
    ASSERT_TRUE(scan.ok);
    EXPECT_GT(scan.seconds, 10.0);
    if (reference && render_support::ReferenceSubsongs(song) == 1) {
      const double expected = render_support::ReferenceDuration(song);
      EXPECT_NEAR(scan.seconds, expected, expected * 0.02);
    }
    const ProgramRun run =
        RunProgram({kProgram, "--start", LastSecondOf(song), song}, {.environment = {kDummyAudio}, .limitMs = 20000});
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_NE(run.output.find("Playing " + song + " ("), std::string::npos) << run.output;
  }
}

// Guards against a refused file ending the program, going unnamed, or
// leaving a success status; the files after it must still play.
TEST(PlayTool, NamesARefusedFileAndPlaysTheRest) {
  const std::string broken = WriteTempFile("play_broken.xm", {'E', 'x', 't', 'e', 'n', 'd', 'e', 'd', ' ', 0, 1});
  const std::string song = WriteTempFile("play_song.xm", render_songs::XmSong());
  const ProgramRun run = RunProgram({kProgram, "--start", LastSecondOf(song), broken, "/nonexistent.mod", song},
                                    {.environment = {kDummyAudio}, .limitMs = 20000});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.errors.find("quelt-play: " + broken + ": the file cannot be read or holds no MOD, S3M, XM or QLT"),
            std::string::npos)
      << run.errors;
  EXPECT_NE(run.errors.find("quelt-play: /nonexistent.mod: "), std::string::npos) << run.errors;
  EXPECT_NE(run.output.find("Playing " + song), std::string::npos) << run.output;
  EXPECT_EQ(RunProgram({kProgram, "--interpolation", "3", song}).status, 2);
  EXPECT_EQ(RunProgram({kProgram}).status, 2);
}

// Guards against Ctrl-C killing the program before it has stopped the output
// (or not stopping it at all), and against a capture that never started.
TEST(PlayTool, CtrlCStopsTheOutputCleanly) {
  const std::string capture = ::testing::TempDir() + std::to_string(getpid()) + "_play_capture.raw";
  std::remove(capture.c_str());
  const std::string song = WriteTempFile("play_interrupt.xm", render_songs::XmSong());
  const ProgramRun run = RunProgram({kProgram, song}, {.environment = {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + capture},
                                                       .interruptAfterMs = 1500,
                                                       .limitMs = 10000});
  EXPECT_EQ(run.status, 130) << run.errors;
  const auto bytes = std::filesystem::file_size(capture);
  EXPECT_GT(bytes, 44100u * 4 / 2);  // half a second at least
  EXPECT_LT(bytes, 44100u * 4 * 4);  // and it stopped
  std::remove(capture.c_str());
}

// Guards against a status line written into pipes and files (or missing on
// a terminal): on a terminal it updates in place and shows the position.
TEST(PlayTool, StatusLineOnlyOnATerminal) {
  const std::string song = WriteTempFile("play_status.xm", render_songs::XmSong());
  const std::string start = std::to_string(ScanSong(song).seconds - 1.5);
  const ProgramRun piped = RunProgram({kProgram, "--start", start, song}, {.environment = {kDummyAudio}});
  EXPECT_EQ(piped.status, 0);
  EXPECT_EQ(piped.errors.find('\r'), std::string::npos) << piped.errors;
  EXPECT_EQ(piped.errors.find("order"), std::string::npos) << piped.errors;

  const ProgramRun shown =
      RunProgram({kProgram, "--start", start, song}, {.environment = {kDummyAudio}, .terminal = true});
  EXPECT_EQ(shown.status, 0);
  EXPECT_EQ(shown.output.find("Playing"), std::string::npos) << shown.output;
  const size_t line = shown.output.find("\r" + song + "  order ");
  ASSERT_NE(line, std::string::npos) << shown.output;
  const std::string length = FormatTime(ScanSong(song).seconds);
  EXPECT_NE(shown.output.find("pattern ", line), std::string::npos);
  EXPECT_NE(shown.output.find("row ", line), std::string::npos);
  EXPECT_NE(shown.output.find(" / " + length, line), std::string::npos) << shown.output;
  EXPECT_GT(std::count(shown.output.begin(), shown.output.end(), '\r'), 3);
}

// Guards against the settings dialog's thread and the playing thread
// tripping over each other (a restart of the output while songs change and
// the status is read): the test view restarts the output at 22050 Hz at once.
TEST(PlayTool, SettingsDialogBesideThePlayback) {
  const std::string song = WriteTempFile("play_settings.xm", render_songs::XmSong());
  const std::string start = std::to_string(ScanSong(song).seconds - 1.5);
  // SDL keeps the thread-local data of a thread it did not make (the
  // dialog's, which restarts the output) when that thread ends.
  const std::string suppressions = WriteTempFile("sdl_thread.supp", {'l', 'e', 'a', 'k', ':', 'l', 'i', 'b', 'S',
                                                                     'D', 'L', '2', '\n'});
  const ProgramRun run = RunProgram(
      {kProgram, "--settings", "--start", start, song, song},
      {.environment = {kDummyAudio, std::string("QUELT_DIALOG_MODULE=") + QUELT_DIALOG_FAKE_MODULE,
                       "LSAN_OPTIONS=suppressions=" + suppressions},
       .limitMs = 20000});
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.errors.find("cannot be shown"), std::string::npos) << run.errors;
}

}  // namespace
