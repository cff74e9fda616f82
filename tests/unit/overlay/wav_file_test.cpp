#include "overlay/wav_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace torvane {
namespace {

struct Chunk {
  std::string tag;
  Bytes body;
  std::optional<std::uint32_t> claimedSize;  // written instead of the body's size
};

void appendU32(Bytes& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

Bytes wavOf(const std::vector<Chunk>& chunks, std::optional<std::uint32_t> riffSize = {},
            const std::string& form = "WAVE") {
  Bytes body(form.begin(), form.end());
  for (const Chunk& chunk : chunks) {
    body.insert(body.end(), chunk.tag.begin(), chunk.tag.end());
    appendU32(body, chunk.claimedSize.value_or(static_cast<std::uint32_t>(chunk.body.size())));
    body.insert(body.end(), chunk.body.begin(), chunk.body.end());
    if (chunk.body.size() % 2 == 1) body.push_back(0);
  }
  Bytes out{'R', 'I', 'F', 'F'};
  appendU32(out, riffSize.value_or(static_cast<std::uint32_t>(body.size())));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

Bytes pcmFormat() {
  Bytes fmt;
  for (int v : {1, 0, 1, 0}) fmt.push_back(static_cast<std::uint8_t>(v));  // PCM, mono
  appendU32(fmt, 22050);
  appendU32(fmt, 22050);
  for (int v : {1, 0, 8, 0}) fmt.push_back(static_cast<std::uint8_t>(v));  // align 1, 8 bits
  return fmt;
}

Bytes samples(std::size_t count) { return Bytes(count, 0x80); }

Bytes truncated(Bytes bytes, std::size_t size) {
  bytes.resize(size);
  return bytes;
}

Bytes withByte(Bytes bytes, std::size_t at, std::uint8_t value) {
  bytes[at] = value;
  return bytes;
}

TEST(WavFile, ParsesChunkLayout) {
  struct Case {
    const char* name;
    Bytes wav;
    bool valid;
    WavChunk format = {};
    WavChunk data = {};
    bool hasFact = false;
  };
  const Chunk fmt{"fmt ", pcmFormat(), {}};
  const Chunk data{"data", samples(100), {}};
  const Case cases[] = {
      {"empty", {}, false},
      {"35 bytes of a valid header", truncated(wavOf({fmt, data}), 35), false},
      {"plain", wavOf({fmt, data}), true, {20, 16}, {44, 100}},
      {"one-sample data with fill byte",
       wavOf({fmt, {"data", samples(1), {}}}),
       true,
       {20, 16},
       {44, 1}},
      {"not RIFF", withByte(wavOf({fmt, data}), 3, 'X'), false},
      {"no WAVE", wavOf({fmt, data}, {}, "AVI "), false},
      {"missing fmt", wavOf({{"LIST", samples(16), {}}, data}), false},
      {"missing data", wavOf({fmt, {"LIST", samples(100), {}}}), false},
      {"empty data", wavOf({fmt, {"data", {}, {}}, {"LIST", samples(20), {}}}), false},
      {"odd-sized chunk before data",
       wavOf({fmt, {"LIST", samples(3), {}}, data}),
       true,
       {20, 16},
       {56, 100}},
      {"fmt after data", wavOf({data, {"LIST", samples(5), {}}, fmt}), true, {142, 16}, {20, 100}},
      {"fact before data",
       wavOf({fmt, {"fact", samples(4), {}}, data}),
       true,
       {20, 16},
       {56, 100},
       true},
      {"data claims past the end",
       wavOf({fmt, {"data", samples(100), 5000}}),
       true,
       {20, 16},
       {44, 100}},
      {"chunk before data claims past the end",
       wavOf({fmt, {"LIST", samples(8), 0xFFFFFFFF}, data}), false},
      {"fmt claims past the end", wavOf({{"fmt ", pcmFormat(), 0xFFFFFFF0}, data}), false},
      {"fmt cut short at the end", truncated(wavOf({data, fmt}), 140), false},
      {"RIFF size ends before data", wavOf({fmt, data}, 4 + 24), false},
      {"RIFF size beyond the file", wavOf({fmt, data}, 0xFFFFFFFF), true, {20, 16}, {44, 100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<WavLayout> layout = parseWav(c.wav);
    ASSERT_EQ(layout.has_value(), c.valid);
    if (!layout) continue;
    EXPECT_EQ(layout->format, c.format);
    EXPECT_EQ(layout->data, c.data);
    EXPECT_EQ(layout->fact.has_value(), c.hasFact);
  }
}

TEST(WavFile, CanonicalFilePutsFormatFirstAndKeepsChunkBodies) {
  const Bytes format = pcmFormat();
  const Bytes fact{0x10, 0x27, 0, 0};
  const Bytes data{1, 2, 3, 4, 5};
  const Bytes wav = wavOf(
      {{"data", data, {}}, {"LIST", samples(3), {}}, {"fact", fact, {}}, {"fmt ", format, {}}});
  const std::optional<WavLayout> layout = parseWav(wav);
  ASSERT_TRUE(layout);

  const Bytes canonical = canonicalWav(wav, *layout);
  EXPECT_EQ(canonical, wavOf({{"fmt ", format, {}}, {"fact", fact, {}}, {"data", data, {}}}));
}

}  // namespace
}  // namespace torvane
