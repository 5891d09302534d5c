// Draws the program's artwork: the 225 x 85 logo (GIF, shown by the splash, the browser, the
// player and the options dialog) and the application icon (PNG). Qt cannot write GIF, so the
// logo goes through a small GIF encoder of our own. Run: make_artwork OUTPUT_FOLDER.

#include <QColor>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <unordered_map>
#include <vector>

namespace {

// ---- GIF writing: one 256-colour frame, LZW-compressed ----

class BitWriter {
public:
    void put(unsigned code, int width) {
        m_buffer |= static_cast<std::uint32_t>(code) << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            m_bytes.push_back(static_cast<std::uint8_t>(m_buffer & 0xFF));
            m_buffer >>= 8;
            m_bits -= 8;
        }
    }
    std::vector<std::uint8_t> finish() {
        if (m_bits > 0)
            m_bytes.push_back(static_cast<std::uint8_t>(m_buffer & 0xFF));
        return m_bytes;
    }

private:
    std::uint32_t m_buffer = 0;
    int m_bits = 0;
    std::vector<std::uint8_t> m_bytes;
};

std::vector<std::uint8_t> lzw(const std::vector<std::uint8_t>& pixels) {
    constexpr unsigned Clear = 256;
    constexpr unsigned End = 257;
    BitWriter out;
    std::unordered_map<std::uint32_t, unsigned> table;
    unsigned next = End + 1;
    int width = 9;
    out.put(Clear, width);
    unsigned prefix = pixels.front();
    for (std::size_t i = 1; i < pixels.size(); ++i) {
        const std::uint32_t key = (prefix << 8) | pixels[i];
        const auto found = table.find(key);
        if (found != table.end()) {
            prefix = found->second;
            continue;
        }
        out.put(prefix, width);
        if (next < 4096) {
            table.emplace(key, next);
            if (next == (1u << width) && width < 12)
                ++width;
            ++next;
        } else {
            out.put(Clear, width);
            table.clear();
            next = End + 1;
            width = 9;
        }
        prefix = pixels[i];
    }
    out.put(prefix, width);
    out.put(End, width);
    return out.finish();
}

// Median cut: split the box of colours with the widest channel range at its median until
// there are 256 boxes; each box's mean is a palette entry.
std::vector<QRgb> palette(const std::vector<QRgb>& colours) {
    std::vector<std::vector<QRgb>> boxes{colours};
    const auto channel = [](QRgb c, int k) {
        return k == 0 ? qRed(c) : k == 1 ? qGreen(c) : qBlue(c);
    };
    const auto widest = [&](const std::vector<QRgb>& box, int& range) {
        int best = 0;
        range = -1;
        for (int k = 0; k < 3; ++k) {
            int lo = 255, hi = 0;
            for (const QRgb c : box)
                lo = std::min(lo, channel(c, k)), hi = std::max(hi, channel(c, k));
            if (hi - lo > range)
                range = hi - lo, best = k;
        }
        return best;
    };
    while (boxes.size() < 256) {
        std::size_t pick = 0;
        int pickRange = -1;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            int range = 0;
            widest(boxes[i], range);
            if (boxes[i].size() > 1 && range > pickRange)
                pick = i, pickRange = range;
        }
        if (pickRange <= 0)
            break;
        auto& box = boxes[pick];
        int range = 0;
        const int k = widest(box, range);
        std::sort(box.begin(), box.end(),
                  [&](QRgb a, QRgb b) { return channel(a, k) < channel(b, k); });
        std::vector<QRgb> upper(box.begin() + static_cast<long>(box.size() / 2), box.end());
        box.resize(box.size() / 2);
        boxes.push_back(std::move(upper));
    }
    std::vector<QRgb> result;
    for (const auto& box : boxes) {
        long r = 0, g = 0, b = 0;
        for (const QRgb c : box)
            r += qRed(c), g += qGreen(c), b += qBlue(c);
        const long n = static_cast<long>(box.size());
        result.push_back(
            qRgb(static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n)));
    }
    return result;
}

bool writeGif(const QImage& image, const QString& path) {
    std::vector<QRgb> all;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            all.push_back(image.pixel(x, y));
    auto colours = palette(all);
    std::vector<std::uint8_t> pixels;
    for (const QRgb c : all) {
        std::size_t best = 0;
        long bestDistance = -1;
        for (std::size_t i = 0; i < colours.size(); ++i) {
            const long dr = qRed(c) - qRed(colours[i]), dg = qGreen(c) - qGreen(colours[i]),
                       db = qBlue(c) - qBlue(colours[i]);
            const long distance = dr * dr + dg * dg + db * db;
            if (bestDistance < 0 || distance < bestDistance)
                best = i, bestDistance = distance;
        }
        pixels.push_back(static_cast<std::uint8_t>(best));
    }
    colours.resize(256, qRgb(0, 0, 0));
    const QSize size = image.size();

    QByteArray gif("GIF89a");
    const auto word = [&gif](int v) {
        gif.append(static_cast<char>(v & 0xFF));
        gif.append(static_cast<char>((v >> 8) & 0xFF));
    };
    word(size.width());
    word(size.height());
    gif.append(static_cast<char>(0xF7)); // global table of 256 colours, 8 bits each
    gif.append('\0');
    gif.append('\0');
    for (const QRgb c : colours) {
        gif.append(static_cast<char>(qRed(c)));
        gif.append(static_cast<char>(qGreen(c)));
        gif.append(static_cast<char>(qBlue(c)));
    }
    gif.append(',');
    word(0);
    word(0);
    word(size.width());
    word(size.height());
    gif.append('\0');
    gif.append('\x08'); // minimum code size
    const std::vector<std::uint8_t> data = lzw(pixels);
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, data.size() - at);
        gif.append(static_cast<char>(n));
        gif.append(reinterpret_cast<const char*>(data.data() + at), static_cast<qsizetype>(n));
    }
    gif.append('\0');
    gif.append(';');
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(gif) == gif.size();
}

// ---- Drawing ----

const QColor Night(0x1B, 0x1F, 0x4B);
const QColor Dusk(0x6A, 0x2C, 0x91);
const QColor Gold(0xFF, 0xC8, 0x3D);

void drawNote(QPainter& p, QPointF head, double size, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.save();
    p.translate(head);
    p.rotate(-20);
    p.drawEllipse(QPointF(0, 0), size * 0.62, size * 0.45);
    p.restore();
    const double stemX = head.x() + size * 0.52;
    p.drawRect(QRectF(stemX, head.y() - size * 2.6, size * 0.16, size * 2.6));
    QPainterPath flag;
    flag.moveTo(stemX + size * 0.16, head.y() - size * 2.6);
    flag.cubicTo(stemX + size * 0.9, head.y() - size * 2.0, stemX + size * 1.0,
                 head.y() - size * 1.4, stemX + size * 0.55, head.y() - size * 0.9);
    flag.cubicTo(stemX + size * 0.8, head.y() - size * 1.5, stemX + size * 0.5,
                 head.y() - size * 1.9, stemX + size * 0.16, head.y() - size * 2.1);
    p.drawPath(flag);
}

void drawBall(QPainter& p, QPointF centre, double radius) {
    QRadialGradient shine(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.3);
    shine.setColorAt(0, QColor(0xFF, 0xF4, 0xC2));
    shine.setColorAt(1, Gold);
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(centre, radius, radius);
}

QImage logo() {
    QImage image(225, 85, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 225, 85);
    sky.setColorAt(0, Night);
    sky.setColorAt(1, Dusk);
    p.fillRect(image.rect(), sky);

    // The ball's hop over the note: a dotted half-sine from the left.
    p.setPen(QPen(QColor(255, 255, 255, 110), 1.6, Qt::DotLine, Qt::RoundCap));
    QPainterPath hop;
    hop.moveTo(6, 58);
    hop.quadTo(22, 6, 40, 28);
    p.drawPath(hop);
    drawBall(p, QPointF(42, 24), 7.5);
    drawNote(p, QPointF(33, 66), 9, Qt::white);

    QFont title("DejaVu Sans", 1, QFont::Bold);
    title.setPixelSize(29);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(66, 10, 160, 40), Qt::AlignLeft | Qt::AlignVCenter, "Vocatune");

    QFont sub("DejaVu Sans", 1, QFont::Bold);
    sub.setPixelSize(12);
    sub.setLetterSpacing(QFont::AbsoluteSpacing, 5);
    p.setFont(sub);
    // A highlighted syllable, as the player boxes the one being sung.
    p.fillRect(QRectF(67, 53, 62, 18), Gold);
    p.setPen(Night);
    p.drawText(QRectF(71, 53, 70, 18), Qt::AlignLeft | Qt::AlignVCenter, "SING");
    p.setPen(QColor(0xE8, 0xE0, 0xFF));
    p.drawText(QRectF(136, 53, 90, 18), Qt::AlignLeft | Qt::AlignVCenter, "ALONG");
    return image;
}

QImage icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    QLinearGradient sky(0, 0, 256, 256);
    sky.setColorAt(0, Night);
    sky.setColorAt(1, Dusk);
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 52, 52);
    p.setPen(QPen(QColor(255, 255, 255, 120), 7, Qt::DotLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath hop;
    hop.moveTo(40, 200);
    hop.quadTo(90, 30, 160, 80);
    p.drawPath(hop);
    drawNote(p, QPointF(108, 190), 34, Qt::white);
    drawBall(p, QPointF(176, 78), 30);
    return image;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    bool ok = writeGif(logo(), folder + "/logo.gif");
    ok = icon(256).save(folder + "/vocatune.png") && ok;
    ok = icon(48).save(folder + "/vocatune-48.png") && ok;
    if (!ok)
        std::fprintf(stderr, "could not write the artwork into %s\n", argv[1]);
    return ok ? 0 : 1;
}
