// quelt-play: plays modules on the sound device through the quelt library's
// exported functions and streaming output. See kPlayManual (--help).
//
// The exported functions tell neither where a song stands nor how long it
// lasts, so the program links the library's internals as well: it reads the
// player's position between two mixing passes, and finds a song's length by
// playing it ahead in a second instance of the player (song_scan.h).
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "api/DialogViewModule.h"
#include "api/QueltLibrary.h"
#include "api/quelt.h"
#include "base/Error.h"
#include "mixer/CmixerTick.h"
#include "options.h"
#include "status_line.h"

namespace {

constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;
constexpr int kExitInterrupted = 130;
constexpr auto kStatusPeriod = std::chrono::milliseconds(100);
// What the sound system holds beyond the library's own buffer.
constexpr auto kDeviceLatency = std::chrono::milliseconds(100);

volatile sig_atomic_t interrupted = 0;

void OnSignal(int) { interrupted = 1; }

void CatchSignals() {
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

size_t TerminalWidth() {
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 1) return size.ws_col - 1u;
  return 79;
}

// The settings dialog on a thread of its own while the music plays.
class SettingsDialogThread {
 public:
  void Open() {
    thread_ = std::thread([this] {
      QueltSettingsDialog(nullptr);
      closed_ = true;
    });
  }
  // Closes the dialog if it is still open (or still opening).
  ~SettingsDialogThread() {
    if (!thread_.joinable()) return;
    while (!closed_) {
      CloseSettingsDialog();
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    thread_.join();
  }

 private:
  std::thread thread_;
  std::atomic<bool> closed_{false};
};

// Runs the playing song's ticks, without mixing, until this much of it has
// passed; the output then goes on from there.
void SkipAhead(double seconds) {
  QueltLibrary& library = Library();
  MixerClaim claim(library.mixer);
  MixSettings& settings = library.settings;
  const double bytesPerSecond = static_cast<double>(settings.rate.load()) * BytesPerFrame(settings.formatFlags);
  for (double skipped = 0; library.mixer.playing && skipped < seconds;) {
    MixTick(settings);
    skipped += settings.tickCounter / bytesPerSecond;
  }
}

// Plays one module to its end (or until a signal); false when the library
// refuses the file.
bool PlayFile(const std::string& file, const PlayOptions& options, bool terminal) {
  std::vector<char> name(file.begin(), file.end());
  name.push_back('\0');
  const int module = QueltLoadModule(name.data(), 0);
  if (module < 0) {
    std::fprintf(stderr, "quelt-play: %s: %s\n", file.c_str(), LastFailure());
    return false;
  }
  const SongScan length = ScanSong(file);
  if (!terminal) {
    std::printf("Playing %s (%s)\n", file.c_str(), length.ok ? FormatTime(length.seconds).c_str() : "?");
    std::fflush(stdout);
  }
  QueltPlayModule(module, options.loop);
  if (options.start > 0) SkipAhead(options.start);
  const auto start = std::chrono::steady_clock::now();
  while (!interrupted) {
    const SongPosition position = ReadSongPosition();
    const double elapsed =
        options.start + std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // A song that jumps back for ever ends where it would repeat.
    if (!position.playing || (length.repeats && !options.loop && elapsed >= length.seconds)) break;
    if (terminal) {
      std::fprintf(stderr, "\r%s\033[K", StatusLine(file, position, elapsed, length, TerminalWidth()).c_str());
    }
    std::this_thread::sleep_for(kStatusPeriod);
  }
  if (terminal) std::fputc('\n', stderr);
  QueltUnloadModule(module);
  return true;
}

int Play(const PlayOptions& options) {
  QueltInit(1, 0, 0);
  QueltSetInterpolation(options.interpolation);
  QueltSetMusicVolume(options.volume);
  QueltSetMode(options.rate, options.stereo, options.sixteenBit);
  if (!QueltStartMixer(nullptr)) {
    std::fprintf(stderr, "quelt-play: cannot start the sound output: %s\n", LastFailure());
    QueltUninit();
    return kExitRefused;
  }
  const bool terminal = isatty(STDERR_FILENO);
  int status = 0;
  {
    SettingsDialogThread dialog;
    if (options.settings) dialog.Open();
    for (const std::string& file : options.files) {
      if (interrupted) break;
      if (!PlayFile(file, options, terminal)) status = kExitRefused;
    }
    // The end of the last song is still in the buffers: let it be heard.
    if (!interrupted) {
      std::this_thread::sleep_for(std::chrono::milliseconds(Library().output.bufferMilliseconds.load()) +
                                  kDeviceLatency);
    }
  }
  QueltStopMixer();
  QueltUninit();
  return interrupted ? kExitInterrupted : status;
}

}  // namespace

int main(int argc, char** argv) {
  PlayOptions options;
  std::string error;
  if (!ParsePlayOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
    std::fprintf(stderr, "quelt-play: %s\nTry 'quelt-play --help' for more information.\n", error.c_str());
    return kExitUsage;
  }
  if (options.help) {
    std::fputs(kPlayManual, stdout);
    return 0;
  }
  CatchSignals();
  return Play(options);
}
