#include "sound/sound_thread.h"

#include <cstdlib>

#include "sound/sound_host.h"
#include "sound/sound_mixer.h"

namespace {

// One step of at most `step` from the volume towards the target.
int32_t StepTowards(int32_t volume, int32_t target, int32_t step) {
  return volume + (target > volume ? step : -step);
}

}  // namespace

void SoundLevels::Reset() {
  fxVolume = kStartVolume;
  fxTarget = kNormalFxTarget;
  musicVolume = kStartVolume;
  musicTarget = kNormalMusicTarget;
  duckTime = 0;
  tick = kSoundTickMilliseconds;
}

void RunSoundTick(SoundLevels& levels, SoundMixer& mixer) {
  const int32_t fxVolume = levels.fxVolume;
  const int32_t fxTarget = levels.fxTarget;
  if (fxVolume != fxTarget) {
    const int32_t moved = StepTowards(fxVolume, fxTarget, kFxVolumeStep);
    levels.fxVolume = moved;
    mixer.QueltSetFXVolume(static_cast<unsigned char>(moved));
  }
  // The music moves in steps of 3 and settles within 2 of its target.
  const int32_t musicVolume = levels.musicVolume;
  const int32_t musicTarget = levels.musicTarget;
  if (std::abs(musicVolume - musicTarget) > kMusicSettleDistance) {
    const int32_t moved = StepTowards(musicVolume, musicTarget, kMusicVolumeStep);
    levels.musicVolume = moved;
    mixer.QueltSetMusicVolume(static_cast<unsigned char>(moved));
  }
  if (levels.duckTime > 0) {
    // A duck the main thread starts meanwhile keeps its full time.
    const int32_t tick = levels.tick;
    if (levels.duckTime.fetch_sub(tick) - tick <= 0) {
      levels.fxTarget = kNormalFxTarget;
      levels.musicTarget = kNormalMusicTarget;
    }
  }
}

SoundThread::SoundThread(SoundLevels& levels, SoundMixer& mixer, SoundHost& host)
    : levels_(levels), mixer_(mixer), host_(host), thread_([this] { Loop(); }) {}

SoundThread::~SoundThread() { Stop(); }

void SoundThread::Stop() {
  if (!thread_.joinable()) return;
  stopRequested_ = true;
  host_.Wake();
  thread_.join();
}

void SoundThread::Loop() {
  while (!stopRequested_) {
    RunSoundTick(levels_, mixer_);
    host_.Sleep(static_cast<uint32_t>(levels_.tick.load()), stopRequested_);
  }
}
