#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <thread>

#include "app/bytes.h"
#include "overlay/sound.h"

namespace torvane {
namespace {

void appendU32(Bytes& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// A mono PCM WAV file holding a noisy burst, like the gunshot.
Bytes burstWav(int rate, int bits, std::size_t frames) {
  const std::uint32_t bytesPerFrame = static_cast<std::uint32_t>(bits / 8);
  Bytes wav{'R', 'I', 'F', 'F'};
  appendU32(wav, static_cast<std::uint32_t>(36 + frames * bytesPerFrame));
  for (char c : std::string("WAVEfmt ")) wav.push_back(static_cast<std::uint8_t>(c));
  appendU32(wav, 16);
  appendU32(wav, 1 | 1 << 16);  // PCM, mono
  appendU32(wav, static_cast<std::uint32_t>(rate));
  appendU32(wav, static_cast<std::uint32_t>(rate) * bytesPerFrame);
  appendU32(wav, bytesPerFrame | static_cast<std::uint32_t>(bits) << 16);
  for (char c : std::string("data")) wav.push_back(static_cast<std::uint8_t>(c));
  appendU32(wav, static_cast<std::uint32_t>(frames * bytesPerFrame));
  std::uint32_t noise = 1;
  for (std::size_t i = 0; i < frames * bytesPerFrame; ++i) {
    noise = noise * 1664525 + 1013904223;
    wav.push_back(static_cast<std::uint8_t>(noise >> 24));
  }
  return wav;
}

// The dummy driver mixes in real time like a sound card, so the figures hold on any machine.
void useDummyDriver() { setenv("SDL_AUDIODRIVER", "dummy", 1); }

double processCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// The Ak47 tick: a 20 KB shot every call, about 13 of them sounding at once.
void BM_PlaySoundShot(benchmark::State& state) {
  useDummyDriver();
  const Bytes shot = burstWav(22050, 8, 20000);
  playSound(shot);  // opens the device and resamples the shot once
  int sounding = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(playSound(shot));
    if (++sounding == 13) {
      state.PauseTiming();
      stopSound();
      sounding = 0;
      state.ResumeTiming();
    }
  }
  shutdownSound();
}
BENCHMARK(BM_PlaySoundShot)->Unit(benchmark::kMicrosecond);

// A sound played for the first time in the run: decoded and resampled to the device format.
void BM_PlaySoundNewShot(benchmark::State& state) {
  useDummyDriver();
  Bytes shot = burstWav(22050, 8, 20000);
  playSound(shot);
  for (auto _ : state) {
    ++shot.back();
    benchmark::DoNotOptimize(playSound(shot));
    state.PauseTiming();
    stopSound();
    state.ResumeTiming();
  }
  shutdownSound();
}
BENCHMARK(BM_PlaySoundNewShot)->Unit(benchmark::kMicrosecond);

// CPU time of the audio thread (the process's, while the caller sleeps) mixing 16 looping voices
// for 10 s, as a share of one core.
void BM_MixSixteenLoopingVoices(benchmark::State& state) {
  useDummyDriver();
  const Bytes voices[] = {burstWav(22050, 8, 20000), burstWav(44100, 16, 30000)};
  double cpuShare = 0;
  for (auto _ : state) {
    for (int i = 0; i < 16; ++i) playSound(voices[i % 2], true);
    const double cpuBefore = processCpuSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(10));
    const double cpu = processCpuSeconds() - cpuBefore;
    cpuShare =
        cpu / std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
    stopSound();
  }
  state.counters["audio_cpu_percent"] = 100 * cpuShare;
  shutdownSound();
}
BENCHMARK(BM_MixSixteenLoopingVoices)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace torvane
