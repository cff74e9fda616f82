#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "file_formats.h"
#include "ms_adpcm_encoder.h"
#include "random.h"

namespace torvane::assetgen {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// Second-order filter (the usual audio-cookbook forms), direct form I.
class Biquad {
 public:
  static Biquad lowPass(double hz, double q, double rate) { return make(hz, q, rate, Kind::kLow); }
  static Biquad highPass(double hz, double q, double rate) {
    return make(hz, q, rate, Kind::kHigh);
  }
  static Biquad bandPass(double hz, double q, double rate) {
    return make(hz, q, rate, Kind::kBand);
  }

  // Takes another filter's response and keeps this one's state, for sweeping filters.
  void retune(const Biquad& shape) {
    b0_ = shape.b0_;
    b1_ = shape.b1_;
    b2_ = shape.b2_;
    a1_ = shape.a1_;
    a2_ = shape.a2_;
  }

  double step(double x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
  }

  // Filters one period of a periodic signal as if it had always been repeating: the first pass
  // only settles the filter's state.
  std::vector<double> circular(const std::vector<double>& period) {
    for (double x : period) step(x);
    std::vector<double> out;
    for (double x : period) out.push_back(step(x));
    return out;
  }

 private:
  enum class Kind { kLow, kHigh, kBand };

  static Biquad make(double hz, double q, double rate, Kind kind) {
    const double w = kTwoPi * hz / rate;
    const double alpha = std::sin(w) / (2 * q);
    const double c = std::cos(w);
    Biquad f;
    const double a0 = 1 + alpha;
    switch (kind) {
      case Kind::kLow:
        f.b0_ = f.b2_ = (1 - c) / 2 / a0;
        f.b1_ = (1 - c) / a0;
        break;
      case Kind::kHigh:
        f.b0_ = f.b2_ = (1 + c) / 2 / a0;
        f.b1_ = -(1 + c) / a0;
        break;
      case Kind::kBand:
        f.b0_ = alpha / a0;
        f.b1_ = 0;
        f.b2_ = -alpha / a0;
        break;
    }
    f.a1_ = -2 * c / a0;
    f.a2_ = (1 - alpha) / a0;
    return f;
  }

  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

void normalise(std::vector<double>& s, double peak) {
  double max = 0;
  for (double v : s) max = std::max(max, std::abs(v));
  for (double& v : s) v *= peak / max;
}

// Band-limited sawtooth at phase `phase` (radians) whose harmonics stay below `limit` Hz.
double saw(double phase, double hz, double limit) {
  double sum = 0;
  for (int k = 1; k * hz < limit; ++k) sum += std::sin(k * phase) / k;
  return sum * (2 / std::numbers::pi);
}

// A splash: noise that swells for 45 ms, falls away within 0.3 s, then a few drops in a faint tail.
std::vector<double> wash() {
  constexpr double kRate = 44100;
  constexpr double kPeak = 0.045;
  Random random(0x3A5E);
  Biquad lowBody = Biquad::lowPass(900, 0.7, kRate);
  Biquad spray = Biquad::bandPass(6600, 0.55, kRate);
  std::vector<double> s(24192);
  constexpr double kDrops[] = {0.27, 0.33, 0.41, 0.47};
  double dropPhase = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = i / kRate;
    const double n = random.signedUniform();
    // The hiss narrows from bright spray to a duller rush as the water settles.
    const double centre = 5200 * std::exp(-t / 0.18) + 1400;
    spray.retune(Biquad::bandPass(centre, 0.55, kRate));
    const double bright = spray.step(n);
    const double body = lowBody.step(n);
    const double swell = t < kPeak
                             ? std::pow(t / kPeak, 1.6)
                             : std::exp(-(t - kPeak) / 0.06) + 0.05 * std::exp(-(t - kPeak) / 0.22);
    double v = swell * (0.55 * n + 0.9 * body + 0.5 * bright);
    // Drops: short rising chirps in the tail.
    for (double start : kDrops) {
      const double u = t - start;
      if (u < 0 || u > 0.04) continue;
      const double hz = 700 + 1500 * (u / 0.04);
      dropPhase += kTwoPi * hz / kRate;
      v += 0.05 * std::sin(dropPhase) * std::exp(-u / 0.012) * std::min(1.0, u / 0.002);
    }
    s[i] = v;
  }
  normalise(s, 0.92);
  return s;
}

// A rubber thump: a little air pushed ahead, then a pitch-dropping hit at 38 ms that fades steadily
// to silence at the end.
std::vector<double> stamp() {
  constexpr double kRate = 44100;
  constexpr double kHit = 0.038;
  Random random(0x57A3);
  Biquad click = Biquad::lowPass(2200, 0.7, kRate);
  Biquad air = Biquad::lowPass(400, 0.7, kRate);
  std::vector<double> s(20736);
  const double end = s.size() / kRate;
  double phase = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = i / kRate;
    const double n = random.signedUniform();
    const double whoosh = 0.25 * air.step(n) * std::pow(std::min(t, kHit) / kHit, 2);
    double v = t < kHit ? whoosh : 0;
    if (t >= kHit) {
      const double u = t - kHit;
      const double hz = 52 + 110 * std::exp(-u / 0.025);
      phase += kTwoPi * hz / kRate;
      const double fade = 1 - u / (end - kHit);
      v = fade * (std::sin(phase) * std::exp(-u / 0.11) +
                  0.35 * std::sin(3.1 * phase) * std::exp(-u / 0.025) +
                  0.8 * click.step(n) * std::exp(-u / 0.005) + whoosh * std::exp(-u / 0.01));
    }
    s[i] = v;
  }
  normalise(s, 1.0);
  return s;
}

// A bright falling "pew" that settles into a buzzing beam and sinks to half its level.
std::vector<double> laser() {
  constexpr double kRate = 22050;
  std::vector<double> s(27670);
  const double end = s.size() / kRate;
  double phase = 0;
  double phase2 = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = i / kRate;
    const double wobble = 1 + 0.06 * std::sin(kTwoPi * 11 * t);
    const double hz = (380 + 2900 * std::exp(-t / 0.11)) * wobble;
    phase += kTwoPi * hz / kRate;
    phase2 += kTwoPi * hz * 1.503 / kRate;
    const double tone = 0.7 * saw(phase, hz, 9000) + 0.45 * std::sin(phase2) +
                        0.25 * std::sin(phase) * std::sin(kTwoPi * 57 * t);
    const double level = 1 - 0.5 * std::pow(t / end, 0.9);
    const double tailFade = std::min(1.0, (end - t) / 0.02);
    s[i] = tone * level * tailFade;
  }
  normalise(s, 1.0);
  return s;
}

// A crack and a boom at once, gone within a quarter second, and a quiet room tail.
std::vector<double> shot() {
  constexpr double kRate = 22050;
  Random random(0x5407);
  Biquad crackFilter = Biquad::highPass(700, 0.7, kRate);
  Biquad bodyFilter = Biquad::lowPass(1300, 0.8, kRate);
  Biquad tailFilter = Biquad::lowPass(1800, 0.7, kRate);
  std::vector<double> s(19988);
  const double end = s.size() / kRate;
  double phase = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = i / kRate;
    const double n = random.signedUniform();
    const double crack = crackFilter.step(n) * std::exp(-t / 0.010);
    const double body = bodyFilter.step(n) * std::exp(-t / 0.045);
    const double tail = tailFilter.step(n) * 0.4 * std::exp(-t / 0.3);
    phase += kTwoPi * (48 + 120 * std::exp(-t / 0.02)) / kRate;
    const double boom = std::sin(phase + 0.5 * std::numbers::pi) * std::exp(-t / 0.07);
    const double fade = std::min(1.0, (end - t) / 0.08);
    s[i] = (1.6 * crack + 1.1 * body + 0.9 * boom + tail) * fade;
  }
  // One reflection off a far wall.
  const std::size_t echo = static_cast<std::size_t>(0.13 * kRate);
  for (std::size_t i = s.size(); i-- > echo;) s[i] += 0.12 * s[i - echo];
  normalise(s, 1.0);
  return s;
}

Bytes listInfo(const char* name) {
  Bytes body{'I', 'N', 'F', 'O'};
  auto field = [&body](const char* id, const std::string& text) {
    body.insert(body.end(), id, id + 4);
    const std::size_t size = text.size() + 1;
    put32(body, size);
    body.insert(body.end(), text.begin(), text.end());
    body.push_back(0);
    if (size % 2) body.push_back(0);
  };
  field("INAM", name);
  field("ISFT", "Torvane assetgen");
  return body;
}

Bytes count32(std::uint32_t n) {
  Bytes b;
  put32(b, n);
  return b;
}

Bytes pcmWave(const std::vector<double>& s, int rate, int bits, bool withFact) {
  std::vector<Chunk> chunks{{{'f', 'm', 't', ' '}, pcmFormat(rate, bits)}};
  if (withFact) chunks.push_back({{'f', 'a', 'c', 't'}, count32(s.size())});
  chunks.push_back({{'d', 'a', 't', 'a'}, pcmSamples(s, bits)});
  return riffWave(chunks);
}

Bytes flameWave() {
  constexpr int kRate = 11025;
  constexpr int kBlockAlign = 256;
  constexpr int kSamplesPerBlock = 500;
  const std::vector<double> loop = fireLoop();
  std::vector<std::int16_t> pcm;
  for (double v : loop)
    pcm.push_back(static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767)));
  Bytes data = encodeMsAdpcm(pcm, kBlockAlign);
  // The encoder pads the last block to full size; the file keeps only the bytes its samples need:
  // a 7-byte header holding two samples, then two samples per byte.
  const std::size_t fullBlocks = pcm.size() / kSamplesPerBlock;
  const std::size_t rest = pcm.size() % kSamplesPerBlock;
  data.resize(fullBlocks * kBlockAlign + (rest ? 7 + (rest - 2 + 1) / 2 : 0));
  // Players expect the customary 5666 bytes per second for 11025 Hz in 256-byte blocks; the format
  // builder derives 5644 from the block geometry, so set the customary figure.
  Bytes format = msAdpcmFormatChunk(kRate, kBlockAlign);
  format.erase(format.begin() + 8, format.begin() + 12);
  Bytes average;
  put32(average, 5666);
  format.insert(format.begin() + 8, average.begin(), average.end());
  return riffWave({{{'f', 'm', 't', ' '}, format},
                   {{'f', 'a', 'c', 't'}, count32(pcm.size())},
                   {{'d', 'a', 't', 'a'}, data},
                   {{'L', 'I', 'S', 'T'}, listInfo("Flame")}});
}

}  // namespace

std::vector<double> fireLoop() {
  constexpr double kRate = 11025;
  constexpr std::size_t kLength = 16524;
  Random random(0xF1AE);
  std::vector<double> noise(kLength);
  for (double& v : noise) v = random.signedUniform();

  // The roar: low noise, gently swelling with whole numbers of cycles per loop.
  std::vector<double> roar = Biquad::lowPass(380, 0.6, kRate).circular(noise);
  roar = Biquad::highPass(70, 0.7, kRate).circular(roar);
  const double p1 = random.uniform() * kTwoPi, p2 = random.uniform() * kTwoPi;

  // The crackle: short bright bursts at random places, wrapping round the loop's end.
  std::vector<double> pops(kLength, 0.0);
  for (int k = 0; k < 48; ++k) {
    const std::size_t at = static_cast<std::size_t>(random.uniform() * kLength);
    const double strength = 0.25 + 0.75 * std::pow(random.uniform(), 2);
    const double decay = 4 + random.uniform() * 22;
    for (int j = 0; j < 120; ++j) {
      pops[(at + j) % kLength] += strength * random.signedUniform() * std::exp(-j / decay);
    }
  }
  pops = Biquad::bandPass(2400, 0.9, kRate).circular(pops);
  std::vector<double> hiss = Biquad::highPass(3000, 0.7, kRate).circular(noise);

  std::vector<double> out(kLength);
  for (std::size_t i = 0; i < kLength; ++i) {
    const double cycle = kTwoPi * i / kLength;
    const double swell = 1 + 0.1 * std::sin(3 * cycle + p1) + 0.06 * std::sin(7 * cycle + p2);
    out[i] = 1.6 * roar[i] * swell + 1.1 * pops[i] + 0.05 * hiss[i];
  }
  normalise(out, 0.5);
  return out;
}

std::vector<SoundArt> makeSounds() {
  return {
      {"sound_wash", pcmWave(wash(), 44100, 16, false)},
      {"sound_stamp", pcmWave(stamp(), 44100, 16, false)},
      {"sound_laser", pcmWave(laser(), 22050, 8, true)},
      {"sound_shot", pcmWave(shot(), 22050, 8, false)},
      {"sound_flame", flameWave()},
  };
}

}  // namespace torvane::assetgen
