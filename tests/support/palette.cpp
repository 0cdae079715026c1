#include "support/palette.h"

#include <QImage>
#include <cstdlib>

namespace lithora::test {

bool showsColour(const QImage& picture, const QColor& colour, int minPixels, int tolerance) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    auto near = [&](QRgb p) {
        return std::abs(qRed(p) - colour.red()) <= tolerance &&
               std::abs(qGreen(p) - colour.green()) <= tolerance &&
               std::abs(qBlue(p) - colour.blue()) <= tolerance;
    };
    int found = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (near(line[x]) && ++found >= minPixels) return true;
    }
    return false;
}

}  // namespace lithora::test
