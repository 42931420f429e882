#include "sound/sound.h"

#include <cstdio>
#include <memory>

#include "game/options_file.h"
#include "platform/files.h"
#include "platform/window.h"
#include "sound/sound_bank.h"
#include "sound/sound_events.h"
#include "sound/sound_host.h"
#include "sound/sound_mixer.h"
#include "sound/sound_thread.h"

namespace {

// The mixer as the game sets it up.
constexpr int kModuleSlots = 1;
constexpr int kSampleSlots = 20;
constexpr int kFxChannels = 3;
constexpr unsigned long kWritePrimary = 0;
constexpr unsigned short kBlockMilliseconds = 350;

constexpr char kMusicFile[] = "music.xm";

int g_musicModule = -1;
BankSamples g_samples = {-1, -1, -1, -1, -1, -1, -1, -1};
SoundLevels g_levels;
std::unique_ptr<SoundThread> g_thread;

void EndSoundThread() {
  if (g_thread != nullptr) g_thread->Stop();
  g_thread.reset();
}

// The game's window, which the mixer's output belongs to.
HWND GameWindow() { return reinterpret_cast<HWND>(platform::MainWindow()); }

}  // namespace

void InitSound() {
  EndSoundThread();
  if (!Host().EnterProgramDirectory()) {
    platform::RuntimeError(platform::kPathNotFound, "cannot enter the program directory",
                           platform::ProgramDirectory());
  }
  SoundMixer& mixer = Mixer();
  mixer.QueltInit(kModuleSlots, kSampleSlots, kFxChannels);
  mixer.SetDSCooperativeLevel(kWritePrimary);
  mixer.QueltSetBlockSize(kBlockMilliseconds);
  mixer.QueltStartMixer(GameWindow());
  g_musicModule = mixer.QueltLoadModule(kMusicFile, 0);
  if (g_musicModule < 0) {
    std::fprintf(stderr, "Tervane: %s cannot be played; the game plays on without music\n", kMusicFile);
  }
  g_samples = LoadSoundBank();
  // The mixer starts at its own default volumes; the thread moves them.
  g_levels.Reset();
  g_thread = std::make_unique<SoundThread>(g_levels, mixer, Host());
}

void PlaySoundEvent(int event) {
  if (GameOptions.soundOn == 0) return;
  const SoundEventRow* row = FindSoundEvent(event);
  if (row == nullptr) return;
  // The duck is in place before the effect sounds; it replaces a running one.
  if (row->duckMilliseconds > 0) {
    g_levels.duckTime = row->duckMilliseconds;
    g_levels.musicTarget = row->duckTarget;
  }
  Mixer().QueltPlaySample(g_samples[row->bankEntry - 1], row->volume, kEffectPanning, kEffectOwnRate);
}

void StartMusic() {
  if (GameOptions.musicOn != 0) Mixer().QueltPlayModule(g_musicModule, true);
}

void StopMusic() { Mixer().QueltStopModule(); }

void ShutdownSound() {
  // The thread ends first, so that no volume reaches the mixer after it is gone.
  EndSoundThread();
  SoundMixer& mixer = Mixer();
  mixer.QueltUnloadModule(g_musicModule);
  mixer.QueltStopAllSamples();
  mixer.QueltStopMixer();
  mixer.QueltUninit();
  g_musicModule = -1;
  g_samples.fill(-1);
}

bool SoundThreadRunning() { return g_thread != nullptr && g_thread->Running(); }
