// Mixing throughput of the quelt library, as a multiple of real time
// (stereo, 16-bit, 44100 Hz), for each interpolation mode:
//  - on a 32-channel module, with the voice loops the processor gets and with
//    the loops as first written (portable, 64-bit sums), in the same run;
//  - on every game module of the Debian packages tecnoballz-data, gl-117-data
//    and flobopuyo, each rendered whole;
// and, for comparison, the same music rendered by libopenmpt at each of its
// interpolation filter lengths (1 none, 2 linear, 4 cubic).
//
//   build/bench/bench_quelt --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "api/QueltLibrary.h"
#include "api/quelt.h"
#include "mixer/CmixerVoice.h"
#include "quelt/render_songs.h"
#include "render.h"

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
// The loop set a benchmark's "loops" argument names: 0 the loops as first
// written (portable, 64-bit sums), 1 those chosen for this processor, 2 SSE2,
// 3 portable on 32-bit sums.
VoiceLoopSet LoopSetOf(int64_t argument) {
  switch (argument) {
    case 0: return VoiceLoopSet::Reference;
    case 2: return VoiceLoopSet::Sse2;
    case 3: return VoiceLoopSet::Portable;
    default: return SelectedVoiceLoops();
  }
}

void QueltMixing(benchmark::State& state) {
  const VoiceLoopSet chosen = SelectedVoiceLoops();
  SelectVoiceLoops(LoopSetOf(state.range(1)));
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
  SelectVoiceLoops(chosen);
}
BENCHMARK(QueltMixing)
    ->ArgNames({"interpolation", "loops"})
    ->ArgsProduct({{0, 1, 2}, {1, 0, 2, 3}})
    ->Unit(benchmark::kMillisecond);

// Every module of the three Debian packages (sorted paths; none when they are
// not installed).
const std::vector<std::string>& DebianModules() {
  static const std::vector<std::string> files = [] {
    std::vector<std::string> found;
    const std::pair<const char*, const char*> packages[] = {{"/usr/share/games/tecnoballz/musics", ".mod"},
                                                            {"/usr/share/games/gl-117/music", ".s3m"},
                                                            {"/usr/share/games/flobopuyo/sfx", ".xm"}};
    for (const auto& [folder, extension] : packages) {
      std::error_code error;
      for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.path().extension() == extension) found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    return found;
  }();
  return files;
}

// One iteration renders every Debian module whole (from its first order to
// its end, or to where it repeats); the rate is seconds of music per second
// of CPU time.
void QueltDebianModules(benchmark::State& state) {
  if (DebianModules().empty()) {
    state.SkipWithError("tecnoballz-data, gl-117-data and flobopuyo are not installed");
    return;
  }
  const VoiceLoopSet chosen = SelectedVoiceLoops();
  SelectVoiceLoops(LoopSetOf(state.range(1)));
  RenderOptions options;
  options.interpolation = static_cast<int>(state.range(0));
  double seconds = 0;
  for (auto _ : state) {
    for (const std::string& file : DebianModules()) {
      const RenderResult result = RenderModuleFile(file, options, [](const uint8_t* bytes, size_t) {
        benchmark::DoNotOptimize(bytes);
        return true;
      });
      if (!result.ok) state.SkipWithError(result.error.c_str());
      seconds += result.frames / double(kRate);
    }
  }
  state.counters["x_realtime"] = benchmark::Counter(seconds, benchmark::Counter::kIsRate);
  SelectVoiceLoops(chosen);
}
BENCHMARK(QueltDebianModules)
    ->ArgNames({"interpolation", "loops"})
    ->ArgsProduct({{0, 1, 2}, {1, 0}})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

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

std::vector<uint8_t> FileBytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The Debian modules through libopenmpt, each whole (its first subsong, as
// quelt plays it), at a filter length.
void OpenmptDebianModules(benchmark::State& state) {
  if (DebianModules().empty()) {
    state.SkipWithError("tecnoballz-data, gl-117-data and flobopuyo are not installed");
    return;
  }
  std::vector<std::vector<uint8_t>> files;
  for (const std::string& file : DebianModules()) files.push_back(FileBytes(file));
  std::vector<int16_t> block(4096 * 2);
  double seconds = 0;
  for (auto _ : state) {
    for (const std::vector<uint8_t>& bytes : files) {
      openmpt_module* module = openmpt_module_create_from_memory2(bytes.data(), bytes.size(), nullptr, nullptr,
                                                                  nullptr, nullptr, nullptr, nullptr, nullptr);
      if (module == nullptr) {
        state.SkipWithError("libopenmpt does not load a Debian module");
        return;
      }
      openmpt_module_select_subsong(module, 0);
      openmpt_module_set_render_param(module, OPENMPT_MODULE_RENDER_INTERPOLATIONFILTER_LENGTH,
                                      static_cast<int32_t>(state.range(0)));
      size_t frames = 0;
      while (const size_t got = openmpt_module_read_interleaved_stereo(module, kRate, 4096, block.data())) {
        frames += got;
      }
      seconds += frames / double(kRate);
      openmpt_module_destroy(module);
    }
  }
  state.counters["x_realtime"] = benchmark::Counter(seconds, benchmark::Counter::kIsRate);
}
BENCHMARK(OpenmptDebianModules)->ArgName("taps")->Arg(1)->Arg(2)->Arg(4)->Iterations(1)->Unit(benchmark::kSecond);
#endif

}  // namespace

BENCHMARK_MAIN();
