// Mixing throughput of the quelt library, as a multiple of real time, for
// each interpolation mode on a 32-channel module (stereo, 16-bit, 44100 Hz);
// and, for comparison, the same module rendered by libopenmpt at each of its
// interpolation filter lengths.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "api/QueltLibrary.h"
#include "api/quelt.h"
#include "quelt/render_songs.h"

#ifdef HAVE_LIBOPENMPT
#include <libopenmpt/libopenmpt.h>
#endif

namespace {

constexpr int kRate = 44100;

const std::vector<uint8_t>& Song() {
  static const std::vector<uint8_t> song = render_songs::ThirtyTwoChannelSong();
  return song;
}

// The song as a file, which is how the library loads modules.
const std::string& SongFile() {
  static const std::string path = [] {
    char name[] = "/tmp/bench_quelt_XXXXXX";
    const int descriptor = mkstemp(name);
    if (descriptor >= 0) {
      if (write(descriptor, Song().data(), Song().size()) != static_cast<ssize_t>(Song().size())) name[0] = '\0';
      close(descriptor);
    }
    return std::string(name);
  }();
  return path;
}

int SoundingVoices() {
  int count = 0;
  for (const MixChannel& channel : Library().mixer.musicChannels) count += channel.active ? 1 : 0;
  return count;
}

// One iteration mixes one second of output. Rates are per second of CPU time
// (one core), so that other work on the machine does not distort them.
void QueltMixing(benchmark::State& state) {
  QueltInit(1, 0, 0);
  QueltSetMode(kRate, true, true);
  QueltSetInterpolation(static_cast<int>(state.range(0)));
  const int module = QueltLoadModule(const_cast<char*>(SongFile().c_str()), 0);
  if (module < 0 || !QueltPlayModule(module, true)) {
    state.SkipWithError("the benchmark song does not load or play");
    QueltUninit();
    return;
  }
  std::vector<uint8_t> second(kRate * 4);
  Mix(Library().settings, second.data(), static_cast<uint32_t>(second.size()));
  if (SoundingVoices() != 32) state.SkipWithError("not every channel sounds");
  for (auto _ : state) {
    Mix(Library().settings, second.data(), static_cast<uint32_t>(second.size()));
    benchmark::DoNotOptimize(second.data());
  }
  state.counters["x_realtime"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
  QueltUninit();
}
BENCHMARK(QueltMixing)->ArgName("interpolation")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

#ifdef HAVE_LIBOPENMPT
// The same song and output format through libopenmpt; the argument is its
// interpolation filter length (1 none, 2 linear, 4 cubic, 8 windowed sinc).
void OpenmptRendering(benchmark::State& state) {
  openmpt_module* module = openmpt_module_create_from_memory2(Song().data(), Song().size(), nullptr, nullptr,
                                                              nullptr, nullptr, nullptr, nullptr, nullptr);
  if (module == nullptr) {
    state.SkipWithError("libopenmpt does not load the benchmark song");
    return;
  }
  openmpt_module_set_repeat_count(module, -1);
  openmpt_module_set_render_param(module, OPENMPT_MODULE_RENDER_INTERPOLATIONFILTER_LENGTH,
                                  static_cast<int32_t>(state.range(0)));
  std::vector<int16_t> second(kRate * 2);
  for (auto _ : state) {
    openmpt_module_read_interleaved_stereo(module, kRate, kRate, second.data());
    benchmark::DoNotOptimize(second.data());
  }
  state.counters["x_realtime"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
  openmpt_module_destroy(module);
}
BENCHMARK(OpenmptRendering)->ArgName("taps")->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);
#endif

}  // namespace

BENCHMARK_MAIN();
