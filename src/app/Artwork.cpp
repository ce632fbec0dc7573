#include "app/Artwork.h"

#include "i18n/Texts.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// A handheld radio: body, antenna, display and keypad, in a square of side s.
void PaintRadio(QPainter& p, const QRectF& box)
{
    const qreal s = box.width();
    p.save();
    p.translate(box.topLeft());
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x30, 0x38));
    p.drawRoundedRect(QRectF(s * 0.58, s * 0.02, s * 0.08, s * 0.34), s * 0.03, s * 0.03);
    QLinearGradient body(0, s * 0.3, s, s);
    body.setColorAt(0, QColor(0x3a, 0x6e, 0xa5));
    body.setColorAt(1, QColor(0x1c, 0x3a, 0x5e));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(s * 0.25, s * 0.3, s * 0.5, s * 0.66), s * 0.07, s * 0.07);
    p.setBrush(QColor(0xb8, 0xe0, 0xa0));
    p.drawRoundedRect(QRectF(s * 0.32, s * 0.38, s * 0.36, s * 0.18), s * 0.02, s * 0.02);
    p.setBrush(QColor(0xe8, 0xec, 0xf0));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawEllipse(QRectF(s * (0.34 + col * 0.115), s * (0.63 + row * 0.1), s * 0.08, s * 0.07));
    p.restore();
}

} // namespace

QIcon ProgramIcon()
{
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        PaintRadio(p, QRectF(0, 0, side, side));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QImage PaintBackgroundPicture(int language, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0x27, 0x4b, 0x73));
    sky.setColorAt(1, QColor(0x0e, 0x1c, 0x2e));
    p.fillRect(image.rect(), sky);

    // Radio waves spreading from the lower right corner.
    const QPointF source(size.width() * 0.85, size.height() * 0.85);
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 9; ++i) {
        p.setPen(QPen(QColor(255, 255, 255, 26 - i * 2), 6));
        const qreal r = i * size.height() * 0.11;
        p.drawEllipse(source, r, r);
    }
    PaintRadio(p, QRectF(source.x() - size.height() * 0.14, source.y() - size.height() * 0.2, size.height() * 0.28,
                         size.height() * 0.28));

    QFont title(QStringLiteral("WenQuanYi Micro Hei"));
    title.setPixelSize(size.height() / 9);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(255, 255, 255, 70));
    const QRectF text(size.width() * 0.06, size.height() * 0.08, size.width() * 0.9, size.height() * 0.2);
    p.drawText(text, Qt::AlignLeft | Qt::AlignTop, Text(WindowText::BackgroundModel, language));
    QFont sub = title;
    sub.setPixelSize(size.height() / 24);
    sub.setBold(false);
    p.setFont(sub);
    const QString line = Text(WindowText::BackgroundSubtitle, language);
    p.drawText(QRectF(text.x(), text.y() + size.height() * 0.14, text.width(), size.height() * 0.08),
               Qt::AlignLeft | Qt::AlignTop, line);
    p.end();
    return image;
}
