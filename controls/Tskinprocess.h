#pragma once

#include <QLabel>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <stdexcept>

// Raised by TSkinProcess::SetImage2 when the fill picture cannot be read or decoded.
class SkinImageError : public std::runtime_error {
public:
    explicit SkinImageError(const QString &message);
};

// The skinned progress bar: its own picture is the trough, drawn stretched to the bar. The fill is
// a separate picture control on the bar's parent, placed in parent coordinates relative to the
// bar; its width is the progress. Call SetImage2, SetBaseLine, SetExtRange, then Setprocess.
class TSkinProcess : public QLabel {
    Q_OBJECT
public:
    explicit TSkinProcess(QWidget *parent = nullptr);
    ~TSkinProcess() override;

    // The trough picture, stretched to whatever size the bar has.
    void setTrough(const QPixmap &trough);

    // Creates the fill from the BMP file at path (read whole, then decoded). Throws SkinImageError
    // naming the path when the file is missing, unreadable or not a BMP, and when the bar has no
    // parent to carry the fill. A second call replaces the fill.
    void SetImage2(const QString &path);
    void SetBaseLine(int32_t y);
    void SetExtRange(int32_t left, int32_t range);
    // Fill width = percent of the range, truncated; not clamped (above 100 overruns the range, a
    // negative percent asks for a negative width, which the widget shows as 0).
    void Setprocess(int32_t percent);

    // The class library's scaling of the form by n/d: the bar scales its own geometry and keeps
    // the factor for later SetImage2 and SetBaseLine calls. A zero divisor is ignored.
    void ChangeScale(int32_t n, int32_t d);

    void setVisible(bool visible) override;

    QLabel *Fill() const { return fill; }
    int32_t BaseLine() const { return baseLine; }
    int32_t RangeLeft() const { return rangeLeft; }
    int32_t Range() const { return range; }
    // The width Setprocess last asked of the fill, before Qt's limit of 0 for negative widths.
    int32_t FillWidth() const { return fillWidth; }
    int32_t ScaleNumerator() const { return scaleN; }
    int32_t ScaleDenominator() const { return scaleD; }

    // n/d rounded to the nearest integer, halves away from zero, as the class library rounds.
    static int32_t MulDiv(int32_t value, int32_t n, int32_t d);

protected:
    void moveEvent(QMoveEvent *event) override;

private:
    void setFillWidth(int32_t width);

    QPointer<QLabel> fill;
    QPoint anchor;   // the bar's position when the fill was last placed
    int32_t baseLine = 0;
    int32_t rangeLeft = 0;
    int32_t range = 0;
    int32_t fillWidth = 0;
    bool fixedFill = false;
    int32_t scaleN = 1;
    int32_t scaleD = 1;
};
