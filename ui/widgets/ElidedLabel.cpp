#include "ui/widgets/ElidedLabel.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QTextBoundaryFinder>
#include <QtMath>

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent) : QLabel(parent), full(text), shown(text)
{
    setTextFormat(Qt::PlainText);
    setText(text);
}

// The layout is asked for the whole text, so it gives every width it can spare; it may still shrink the label
// to a few characters.
QSize ElidedLabel::sizeHint() const
{
    const QSize hint = QLabel::sizeHint();
    if (wordWrap())
        return hint;
    const QMargins margins = contentsMargins();
    // Rounded up, since eliding compares the fractional width.
    const int width = qCeil(QFontMetricsF(font()).horizontalAdvance(full)) + 1;
    return {width + margins.left() + margins.right(), hint.height()};
}

QSize ElidedLabel::minimumSizeHint() const
{
    const QSize hint = QLabel::minimumSizeHint();
    return {qMin(hint.width(), fontMetrics().horizontalAdvance(QStringLiteral("M…M"))), hint.height()};
}

void ElidedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    refit();
}

void ElidedLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        refit();
}

void ElidedLabel::refit()
{
    const QString text = fitted(contentsRect().width());
    setToolTip(text == full ? QString() : full);
    if (text == shown)
        return;
    shown = text;
    setText(text);
}

QString ElidedLabel::fitted(int width) const
{
    const QFontMetrics metrics = fontMetrics();
    if (!wordWrap())
        return metrics.elidedText(full, Qt::ElideMiddle, width);
    // Only a piece between two allowed line breaks that is wider than a whole line is shortened; the rest
    // wraps as it would.
    QString text;
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, full);
    int start = 0;
    while (start < full.size()) {
        int end = breaks.toNextBoundary();
        if (end <= start)
            end = full.size();
        const QString piece = full.mid(start, end - start);
        int length = piece.size();
        while (length > 0 && piece.at(length - 1).isSpace())
            --length;
        const QString word = piece.left(length);
        text += metrics.horizontalAdvance(word) > width
                    ? metrics.elidedText(word, Qt::ElideMiddle, width) + piece.mid(length)
                    : piece;
        start = end;
    }
    return text;
}
