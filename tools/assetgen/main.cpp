// Developer tool: renders the editable asset sources into the files the program embeds.
//   torvane_assetgen <repo-root> [<output-root>]
// Reads <repo-root>/assets-src/ and writes <output-root>/src/assets/files/ and
// <output-root>/docs/contact-sheet.png; the output root defaults to the repository itself.

#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <fstream>

#include "artwork.h"
#include "contact_sheet.h"
#include "file_formats.h"
#include "gif_writer.h"
#include "render.h"
#include "sounds.h"

namespace torvane::assetgen {
namespace {

bool writeFile(const QString& path, const Bytes& bytes) {
  std::ofstream out(path.toStdString(), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

QImage penguinImage(const IndexedImage& penguin) {
  QImage out(penguin.width, penguin.height, QImage::Format_RGB32);
  for (int y = 0; y < penguin.height; ++y) {
    for (int x = 0; x < penguin.width; ++x) {
      out.setPixel(x, y, penguin.palette[penguin.indices[y * penguin.width + x]] | 0xFF000000u);
    }
  }
  return out;
}

int run(const QString& repoRoot, const QString& outputRoot) {
  const QString sources = repoRoot + "/assets-src";
  const QString files = outputRoot + "/src/assets/files";
  const QString docs = outputRoot + "/docs";
  if (!QDir().mkpath(files) || !QDir().mkpath(docs)) {
    std::fprintf(stderr, "cannot create %s\n", qPrintable(files));
    return 1;
  }
  bool ok = true;
  auto write = [&](const std::string& name, const Bytes& bytes) {
    ok = writeFile(files + "/" + QString::fromStdString(name), bytes) && ok;
  };

  const std::vector<CursorArt> cursors = drawCursors(sources);
  for (const CursorArt& c : cursors) write(c.file + ".cur", cursorFile(c.image, c.hotX, c.hotY));
  const std::vector<PictureArt> toolbar = drawToolbarImages(sources);
  for (const PictureArt& t : toolbar) write(t.file + ".dib", toolbarDib(t.image));
  const std::vector<PictureArt> pictures = drawPictures(sources);
  for (const PictureArt& p : pictures) write(p.file + ".bmp", bmpFile(p.image));
  const IndexedImage penguin = drawPenguin();
  write("promo_penguin.gif", gifFile(penguin));
  for (const SoundArt& s : makeSounds()) write(s.file + ".wav", s.wav);

  const QImage icon = renderSoft(sources + "/torvane.svg", 64, 64);
  ok = icon.save(files + "/torvane.png", "PNG") && ok;
  ok = contactSheet(cursors, toolbar, pictures, penguinImage(penguin), icon)
           .save(docs + "/contact-sheet.png", "PNG") &&
       ok;
  if (!ok) std::fprintf(stderr, "writing the assets failed\n");
  return ok ? 0 : 1;
}

}  // namespace
}  // namespace torvane::assetgen

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s <repo-root> [<output-root>]\n", argv[0]);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString repoRoot = QString::fromLocal8Bit(argv[1]);
  return torvane::assetgen::run(repoRoot, argc == 3 ? QString::fromLocal8Bit(argv[2]) : repoRoot);
}
