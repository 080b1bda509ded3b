// Draws the window icon once: a letter C with an arrow pointing right, and the letters E and b
// below them, 32 by 32 pixels in 16 colours. The result is committed as app/leadwright.png,
// and in the other sizes of the desktop's icon theme as packaging/icons/leadwright-SIZE.png;
// the build never runs this. To draw them again:
//   cmake -S app/icon -B /tmp/leadwright-icon && cmake --build /tmp/leadwright-icon
//   /tmp/leadwright-icon/make_icon app/leadwright.png
//   for size in 16 48 64 128 256; do
//       /tmp/leadwright-icon/make_icon packaging/icons/leadwright-$size.png $size; done

#include <QColor>
#include <QImage>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

// The 16 colours of the classic palette; each picture character below names one of them.
constexpr std::array<QRgb, 16> kPalette{
    0xff000000, 0xff000080, 0xff008000, 0xff008080, 0xff800000, 0xff800080, 0xff808000, 0xffc0c0c0,
    0xff808080, 0xff0000ff, 0xff00ff00, 0xff00ffff, 0xffff0000, 0xffff00ff, 0xffffff00, 0xffffffff};
constexpr std::string_view kPaletteKeys = "kNgtmpoS8BGcRMYw";

// k black, N navy, R red, S silver, 8 grey, w white.
constexpr std::array<std::string_view, 32> kPicture{
    "88888888888888888888888888888888", "8wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwS",
    "8wwwwwNNNNNNwwwwwwwwwwwwwwwwwwwS", "8wwwwNNNNNNNNwwwwwwwwwwwwwwwwwwS",
    "8wwwNNNwwwwNNNwwwwwwwwwwwwwwwwwS", "8wwwNNwwwwwwNNwwwwwwwwwwRwwwwwwS",
    "8wwNNNwwwwwwwwwwwwwwwwwwRRwwwwwS", "8wwNNwwwwwwwwwwwwwwwwwwwRRRwwwwS",
    "8wwNNwwwwwwwwwwwRRRRRRRRRRRRwwwS", "8wwNNwwwwwwwwwwwRRRRRRRRRRRRRwwS",
    "8wwNNwwwwwwwwwwwRRRRRRRRRRRRwwwS", "8wwNNwwwwwwwwwwwwwwwwwwwRRRwwwwS",
    "8wwNNNwwwwwwwwwwwwwwwwwwRRwwwwwS", "8wwwNNwwwwwwNNwwwwwwwwwwRwwwwwwS",
    "8wwwNNNwwwwNNNwwwwwwwwwwwwwwwwwS", "8wwwwNNNNNNNNwwwwwwwwwwwwwwwwwwS",
    "8wwwwwNNNNNNwwwwwwwwwwwwwwwwwwwS", "8wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwS",
    "8wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwS", "8wwwkkkkkkkkwwwwwwkkwwwwwwwwwwwS",
    "8wwwkkkkkkkkwwwwwwkkwwwwwwwwwwwS", "8wwwkkwwwwwwwwwwwwkkwwwwwwwwwwwS",
    "8wwwkkwwwwwwwwwwwwkkwwwwwwwwwwwS", "8wwwkkkkkkwwwwwwwwkkkkkkkwwwwwwS",
    "8wwwkkkkkkwwwwwwwwkkkkkkkkwwwwwS", "8wwwkkwwwwwwwwwwwwkkwwwwkkwwwwwS",
    "8wwwkkwwwwwwwwwwwwkkwwwwkkwwwwwS", "8wwwkkkkkkkkwwwwwwkkkkkkkkwwwwwS",
    "8wwwkkkkkkkkwwwwwwkkkkkkkwwwwwwS", "8wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwS",
    "8wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwS", "8SSSSSSSSSSSSSSSSSSSSSSSSSSSSSSS",
};

}  // namespace

int main(int argc, char* argv[]) {
    const int size = argc == 3 ? std::atoi(argv[2]) : 32;
    if (argc < 2 || argc > 3 || size < 16) {
        std::fprintf(stderr, "usage: make_icon <output.png> [size, at least 16]\n");
        return 2;
    }
    QImage image(32, 32, QImage::Format_Indexed8);
    image.setColorTable(QList<QRgb>(kPalette.begin(), kPalette.end()));
    for (int y = 0; y < 32; ++y) {
        if (kPicture[y].size() != 32) {
            std::fprintf(stderr, "row %d is not 32 pixels wide\n", y);
            return 1;
        }
        for (int x = 0; x < 32; ++x) {
            const auto colour = kPaletteKeys.find(kPicture[y][x]);
            if (colour == std::string_view::npos) {
                std::fprintf(stderr, "unknown colour at %d,%d\n", x, y);
                return 1;
            }
            image.setPixel(x, y, uint(colour));
        }
    }
    // Whole multiples keep the pixels sharp; other sizes are smoothed.
    if (size != 32) {
        const auto mode = size % 32 == 0 ? Qt::FastTransformation : Qt::SmoothTransformation;
        image = image.convertToFormat(QImage::Format_ARGB32).scaled(size, size, Qt::IgnoreAspectRatio, mode);
    }
    return image.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
