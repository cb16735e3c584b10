// Turns one of the program's XPM icon images into the PNG that the desktop's icon theme
// wants, so the installed launcher icon is the very image the window shows.
// Usage: quorvel_icon_export <input.xpm> <output.png> <size>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "quorvel_icon_export: %s\n", message.c_str());
  return EXIT_FAILURE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    return Fail("usage: quorvel_icon_export <input.xpm> <output.png> <size>");
  }
  const std::string input = argv[1];
  const std::string output = argv[2];
  const int size = std::atoi(argv[3]);

  QImageReader reader(QString::fromLocal8Bit(input.c_str()), "xpm");
  const QImage image = reader.read();
  if (image.isNull()) {
    return Fail("cannot read " + input + ": " + reader.errorString().toStdString());
  }
  // The install puts the file under <size>x<size>; a picture of another size there would
  // be scaled by every desktop and look blurred, so a mismatch stops the build.
  if (image.width() != size || image.height() != size) {
    return Fail(input + " is " + std::to_string(image.width()) + "x" +
                std::to_string(image.height()) + ", expected " + std::to_string(size) + "x" +
                std::to_string(size));
  }
  if (!image.convertToFormat(QImage::Format_ARGB32)
           .save(QString::fromLocal8Bit(output.c_str()), "png")) {
    return Fail("cannot write " + output);
  }
  return EXIT_SUCCESS;
}
