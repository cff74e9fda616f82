#include <cstring>

#include "artwork.h"

namespace torvane::assetgen {
namespace {

// One character per pixel; the key is the palette below.
const char* const kPenguin[] = {
    ".......KKKKKKK.......",  //
    ".....KKkkKKKKKKK.....",  //
    "....KKkKKKKKKKKKK....",  //
    "...KKKWWWKKKWWWKKK...",  //
    "..KKKWWWWWKWWWWWKKK..",  //
    "..KKWWKKWWWWWKKWWKK..",  //
    "..KKWWKKWWWWWKKWWKK..",  //
    "..KKPPWWWOOOWWWPPKK..",  //
    "..KKKWWWWWOWWWWWKKK..",  //
    "...KKKWWWWWWWWWKKK...",  //
    "..RRRRRRRRRRRRRRRRR..",  //
    "..rRRRRRRRRRRRRRRRr..",  //
    ".KKKWWWWWWWWWRRRWKKK.",  //
    "KKKWWWWWWWWWWrRrWWKKK",  //
    ".KKWWWWWWWWWWWWWWWKK.",  //
    "..KKWWWWWWWWWWWWWKK..",  //
    "..KKWWWWWWWWWWWWWKK..",  //
    "...KKWWWWWWWWWWWKK...",  //
    "....KKKKKKKKKKKKK....",  //
    ".....OOOO...OOOO.....",  //
};

const char kKey[] = ".KkWORrP";
const std::vector<QRgb> kPalette = {0xffffff, 0x1b1f2e, 0x46526e, 0xffffff,
                                    0xff9a1a, 0xe22828, 0x9e1212, 0xffa0b4};

}  // namespace

IndexedImage drawPenguin() {
  IndexedImage image{21, 20, {}, kPalette, 0};
  for (const char* row : kPenguin) {
    for (const char* c = row; *c; ++c) {
      image.indices.push_back(static_cast<std::uint8_t>(std::strchr(kKey, *c) - kKey));
    }
  }
  return image;
}

}  // namespace torvane::assetgen
