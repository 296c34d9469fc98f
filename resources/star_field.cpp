#include "star_field.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// A third of a 456 x 648 photograph: it is only ever shown at 65 x 57.
constexpr int Width = 152;
constexpr int Height = 216;

// A small fixed generator, so that the picture is the same on every machine.
class Dice
{
public:
    std::uint32_t next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    int below(int n) { return int(next() % std::uint32_t(n)); }

private:
    std::uint32_t m_state = 0x51a7f1e1u;
};

void addLight(QImage &image, int x, int y, int r, int g, int b, double strength)
{
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return;
    QRgb &pixel = reinterpret_cast<QRgb *>(image.scanLine(y))[x];
    const auto mix = [strength](int base, int light) {
        return std::clamp(int(base + (light - base) * strength), 0, 255);
    };
    pixel = qRgb(mix(qRed(pixel), r), mix(qGreen(pixel), g), mix(qBlue(pixel), b));
}

} // namespace

QImage BuildStarField()
{
    QImage image(Width, Height, QImage::Format_RGB32);
    // Slate-blue sky, darker and bluer towards the corners.
    for (int y = 0; y < Height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < Width; ++x) {
            const double dx = (x - Width / 2.0) / (Width / 2.0);
            const double dy = (y - Height / 2.0) / (Height / 2.0);
            const double edge = std::min(1.0, (dx * dx + dy * dy) / 2.0);
            line[x] = qRgb(int(52 - 48 * edge), int(78 - 70 * edge), int(98 - 54 * edge));
        }
    }
    Dice dice;
    // A few hundred faint stars, streaked vertically by the long exposure.
    static constexpr int Tints[][3] = {{255, 255, 255}, {255, 240, 170}, {255, 190, 120}};
    for (int i = 0; i < 260; ++i) {
        const int x = dice.below(Width), y = dice.below(Height);
        const int *tint = Tints[dice.below(3)];
        const int length = 2 + dice.below(4);
        const double strength = 0.25 + dice.below(40) / 100.0;
        for (int k = 0; k < length; ++k)
            addLight(image, x, y + k, tint[0], tint[1], tint[2], strength * (1.0 - 0.15 * k));
    }
    // About a dozen brighter blue-white stars.
    for (int i = 0; i < 12; ++i) {
        const int x = 4 + dice.below(Width - 8), y = 4 + dice.below(Height - 8);
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                addLight(image, x + dx, y + dy, 200, 225, 255, dx == 0 && dy == 0 ? 1.0 : 0.5);
    }
    // One bright star with a halo in the upper third, right of the centre line.
    const int cx = Width * 5 / 8, cy = Height / 5;
    constexpr int Halo = 10;
    for (int dy = -Halo; dy <= Halo; ++dy)
        for (int dx = -Halo; dx <= Halo; ++dx) {
            const double d = std::sqrt(double(dx * dx + dy * dy));
            if (d <= Halo)
                addLight(image, cx + dx, cy + dy, 235, 245, 255, d < 2.0 ? 1.0 : 0.6 * (1.0 - d / Halo));
        }
    return image;
}
