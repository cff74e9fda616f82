#include "gif_writer.h"

#include <map>
#include <utility>

#include "file_formats.h"

namespace torvane::assetgen {
namespace {

constexpr int kMaxCodes = 4096;

class BitPacker {
 public:
  void put(int code, int bits) {
    pending_ |= static_cast<std::uint32_t>(code) << count_;
    count_ += bits;
    while (count_ >= 8) {
      bytes_.push_back(static_cast<std::uint8_t>(pending_));
      pending_ >>= 8;
      count_ -= 8;
    }
  }
  Bytes finish() {
    if (count_ > 0) bytes_.push_back(static_cast<std::uint8_t>(pending_));
    return bytes_;
  }

 private:
  Bytes bytes_;
  std::uint32_t pending_ = 0;
  int count_ = 0;
};

// Variable-length LZW as GIF uses it: codes grow a bit as soon as the next code to assign needs it,
// and a clear code restarts the table when it is full.
Bytes lzw(const std::vector<std::uint8_t>& indices, int minCodeSize) {
  const int clear = 1 << minCodeSize;
  const int end = clear + 1;
  std::map<std::pair<int, int>, int> table;
  int next = end + 1;
  int codeSize = minCodeSize + 1;
  BitPacker out;
  out.put(clear, codeSize);
  int prefix = indices.front();
  for (std::size_t i = 1; i < indices.size(); ++i) {
    const int k = indices[i];
    if (const auto found = table.find({prefix, k}); found != table.end()) {
      prefix = found->second;
      continue;
    }
    out.put(prefix, codeSize);
    if (next < kMaxCodes) {
      table[{prefix, k}] = next++;
      if (next > (1 << codeSize) && codeSize < 12) ++codeSize;
    } else {
      out.put(clear, codeSize);
      table.clear();
      next = end + 1;
      codeSize = minCodeSize + 1;
    }
    prefix = k;
  }
  out.put(prefix, codeSize);
  out.put(end, codeSize);
  return out.finish();
}

}  // namespace

Bytes gifFile(const IndexedImage& image) {
  int tableBits = 1;
  while ((1u << tableBits) < image.palette.size()) ++tableBits;
  const int minCodeSize = std::max(2, tableBits);

  Bytes out{'G', 'I', 'F', '8', '9', 'a'};
  put16(out, image.width);
  put16(out, image.height);
  out.push_back(static_cast<std::uint8_t>(0x80 | 0x70 | (tableBits - 1)));
  out.push_back(static_cast<std::uint8_t>(image.transparentIndex));
  out.push_back(0);
  for (int i = 0; i < (1 << tableBits); ++i) {
    const QRgb c = i < static_cast<int>(image.palette.size()) ? image.palette[i] : 0;
    out.insert(out.end(), {static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
                           static_cast<std::uint8_t>(qBlue(c))});
  }
  out.insert(out.end(),
             {0x21, 0xF9, 4, 0x01, 0, 0, static_cast<std::uint8_t>(image.transparentIndex), 0});
  out.push_back(0x2C);
  put16(out, 0);
  put16(out, 0);
  put16(out, image.width);
  put16(out, image.height);
  out.push_back(0);
  out.push_back(static_cast<std::uint8_t>(minCodeSize));
  const Bytes data = lzw(image.indices, minCodeSize);
  for (std::size_t at = 0; at < data.size(); at += 255) {
    const std::size_t n = std::min<std::size_t>(255, data.size() - at);
    out.push_back(static_cast<std::uint8_t>(n));
    out.insert(out.end(), data.begin() + at, data.begin() + at + n);
  }
  out.push_back(0);
  out.push_back(0x3B);
  return out;
}

}  // namespace torvane::assetgen
