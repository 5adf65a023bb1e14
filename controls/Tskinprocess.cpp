#include "Tskinprocess.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QMoveEvent>

#include <algorithm>
#include <cmath>
#include <cstdlib>

SkinImageError::SkinImageError(const QString &message) : std::runtime_error(message.toStdString()) {}

TSkinProcess::TSkinProcess(QWidget *parent) : QLabel(parent)
{
    setScaledContents(true);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

TSkinProcess::~TSkinProcess()
{
    // The fill belongs to the parent, but it is part of this bar and must not outlive it.
    delete fill.data();
}

void TSkinProcess::setTrough(const QPixmap &trough)
{
    setPixmap(trough);
}

int32_t TSkinProcess::MulDiv(int32_t value, int32_t n, int32_t d)
{
    if (d == 0)
        return value;
    const int64_t num = int64_t(value) * n;
    const int64_t den = d;
    const int64_t q = num / den;
    const int64_t r = num % den;
    int64_t result = q;
    if (std::llabs(r) * 2 >= std::llabs(den))
        result += ((num < 0) != (den < 0)) ? -1 : 1;
    return static_cast<int32_t>(result);
}

void TSkinProcess::SetImage2(const QString &path)
{
    QWidget *host = parentWidget();
    if (!host)
        throw SkinImageError(QStringLiteral("The progress bar has no parent window for its fill picture \"%1\".")
                                 .arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw SkinImageError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    // A skin picture is a few hundred bytes; refuse to pull an absurd file into memory.
    constexpr qint64 kMaxBytes = 64 * 1024 * 1024;
    if (file.size() > kMaxBytes)
        throw SkinImageError(QStringLiteral("The file \"%1\" is too large for a progress picture.").arg(path));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw SkinImageError(QStringLiteral("Cannot read file \"%1\". %2").arg(path, file.errorString()));
    file.close();

    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "BMP");
    const QImage image = reader.read();
    if (image.isNull())
        throw SkinImageError(QStringLiteral("The file \"%1\" is not a valid bitmap. %2").arg(path, reader.errorString()));

    delete fill.data();
    fill = new QLabel(host);
    fill->setObjectName(objectName().isEmpty() ? QStringLiteral("SkinProcessFill") : objectName() + "Fill");
    fill->setAttribute(Qt::WA_TransparentForMouseEvents);
    fill->setScaledContents(true);
    fill->setPixmap(QPixmap::fromImage(image));
    // The fill takes the picture's size, then keeps its height and stretches to any width.
    QRect geometry(0, 0, image.width(), image.height());
    if (scaleN != scaleD)
        geometry = QRect(MulDiv(geometry.left(), scaleN, scaleD), MulDiv(geometry.top(), scaleN, scaleD),
                         MulDiv(geometry.width(), scaleN, scaleD), MulDiv(geometry.height(), scaleN, scaleD));
    fill->setGeometry(geometry);
    fillWidth = geometry.width();
    fill->setVisible(!isHidden());
    fill->raise();
    anchor = pos();
}

void TSkinProcess::SetBaseLine(int32_t y)
{
    baseLine = MulDiv(y, scaleN, scaleD);
    if (fill)
        fill->move(fill->x(), this->y() + baseLine - fill->height() / 2);
    anchor = pos();
}

void TSkinProcess::SetExtRange(int32_t left, int32_t newRange)
{
    rangeLeft = left;
    range = newRange;
    if (fill) {
        fill->move(x() + rangeLeft, fill->y());
        setFillWidth(0);
    }
    anchor = pos();
}

void TSkinProcess::Setprocess(int32_t percent)
{
    // The product is a 32-bit integer and wraps as one; only then is it scaled in floating point.
    const auto product = static_cast<int32_t>(static_cast<uint32_t>(int64_t(percent) * int64_t(range)));
    const double x = double(product) * 0.01;
    if (!fixedFill && fill)
        setFillWidth(static_cast<int32_t>(std::trunc(x)));
}

void TSkinProcess::ChangeScale(int32_t n, int32_t d)
{
    if (d == 0)
        return;
    const QRect g = geometry();
    setGeometry(MulDiv(g.left(), n, d), MulDiv(g.top(), n, d), MulDiv(g.width(), n, d), MulDiv(g.height(), n, d));
    scaleN = n;
    scaleD = d;
}

void TSkinProcess::setVisible(bool visible)
{
    QLabel::setVisible(visible);
    if (fill) {
        fill->setVisible(visible);
        if (visible)
            fill->raise();
    }
}

void TSkinProcess::moveEvent(QMoveEvent *event)
{
    QLabel::moveEvent(event);
    // The fill lives on the parent; keep it where it was relative to the bar.
    if (fill && pos() != anchor)
        fill->move(fill->pos() + (pos() - anchor));
    anchor = pos();
}

void TSkinProcess::setFillWidth(int32_t width)
{
    fillWidth = width;
    fill->resize(std::max(width, 0), fill->height());
}
