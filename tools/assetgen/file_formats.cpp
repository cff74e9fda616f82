#include "file_formats.h"

#include <algorithm>
#include <cmath>

namespace torvane::assetgen {
namespace {

constexpr int kSide = 32;
constexpr std::uint32_t kImageBytes = kSide * kSide * 4 + kSide * 4;

void putInfoHeader(Bytes& out, int width, int height, int bits, std::uint32_t imageSize) {
  put32(out, 40);
  put32(out, width);
  put32(out, height);
  put16(out, 1);
  put16(out, bits);
  put32(out, 0);
  put32(out, imageSize);
  for (int i = 0; i < 4; ++i) put32(out, 0);
}

// Colour pixels bottom-up, then the mask bottom-up (set bit = transparent pixel).
void putImageAndMask(Bytes& out, const QImage& argb, bool keepAlpha) {
  for (int y = kSide - 1; y >= 0; --y) {
    for (int x = 0; x < kSide; ++x) {
      const QRgb p = argb.pixel(x, y);
      if (qAlpha(p) == 0) {
        out.insert(out.end(), {0, 0, 0, 0});
      } else if (keepAlpha) {
        out.insert(out.end(),
                   {static_cast<std::uint8_t>(qBlue(p)), static_cast<std::uint8_t>(qGreen(p)),
                    static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qAlpha(p))});
      } else {
        const int a = qAlpha(p);
        auto overWhite = [a](int c) {
          return static_cast<std::uint8_t>((c * a + 255 * (255 - a) + 127) / 255);
        };
        out.insert(out.end(), {overWhite(qBlue(p)), overWhite(qGreen(p)), overWhite(qRed(p)), 0});
      }
    }
  }
  for (int y = kSide - 1; y >= 0; --y) {
    std::uint32_t bits = 0;
    for (int x = 0; x < kSide; ++x) {
      if (qAlpha(argb.pixel(x, y)) == 0) bits |= 0x80000000u >> x;
    }
    out.insert(out.end(),
               {static_cast<std::uint8_t>(bits >> 24), static_cast<std::uint8_t>(bits >> 16),
                static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits)});
  }
}

}  // namespace

void put16(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(Bytes& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

Bytes cursorFile(const QImage& argb, int hotX, int hotY) {
  Bytes out;
  put16(out, 0);
  put16(out, 2);
  put16(out, 1);
  out.insert(out.end(), {kSide, kSide, 0, 0});
  put16(out, hotX);
  put16(out, hotY);
  put32(out, 40 + kImageBytes);
  put32(out, 22);
  putInfoHeader(out, kSide, 2 * kSide, 32, kImageBytes);
  putImageAndMask(out, argb, true);
  return out;
}

Bytes toolbarDib(const QImage& argb) {
  Bytes out;
  putInfoHeader(out, kSide, 2 * kSide, 32, kImageBytes);
  putImageAndMask(out, argb, false);
  return out;
}

Bytes bmpFile(const QImage& rgb) {
  const int stride = (rgb.width() * 3 + 3) / 4 * 4;
  const std::uint32_t imageSize = stride * rgb.height();
  Bytes out{'B', 'M'};
  put32(out, 54 + imageSize);
  put32(out, 0);
  put32(out, 54);
  putInfoHeader(out, rgb.width(), rgb.height(), 24, imageSize);
  for (int y = rgb.height() - 1; y >= 0; --y) {
    for (int x = 0; x < rgb.width(); ++x) {
      const QRgb p = rgb.pixel(x, y);
      out.insert(out.end(),
                 {static_cast<std::uint8_t>(qBlue(p)), static_cast<std::uint8_t>(qGreen(p)),
                  static_cast<std::uint8_t>(qRed(p))});
    }
    out.resize(out.size() + stride - rgb.width() * 3, 0);
  }
  return out;
}

Bytes riffWave(const std::vector<Chunk>& chunks) {
  Bytes body{'W', 'A', 'V', 'E'};
  for (const Chunk& c : chunks) {
    body.insert(body.end(), c.id.begin(), c.id.end());
    put32(body, c.body.size());
    body.insert(body.end(), c.body.begin(), c.body.end());
    if (c.body.size() % 2) body.push_back(0);
  }
  Bytes out{'R', 'I', 'F', 'F'};
  put32(out, body.size());
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

Bytes pcmFormat(int rate, int bits) {
  Bytes out;
  put16(out, 1);
  put16(out, 1);
  put32(out, rate);
  put32(out, rate * bits / 8);
  put16(out, bits / 8);
  put16(out, bits);
  return out;
}

Bytes pcmSamples(const std::vector<double>& samples, int bits) {
  Bytes out;
  for (double s : samples) {
    const double level = std::clamp(s, -1.0, 1.0);
    if (bits == 16) {
      put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(level * 32767))));
    } else {
      out.push_back(static_cast<std::uint8_t>(std::lround(level * 127) + 128));
    }
  }
  return out;
}

}  // namespace torvane::assetgen
