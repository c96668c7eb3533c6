#include "ui/widgets/CircularProgressBar.h"

#include <QtTest>

class TestCircularProgressBar : public QObject {
    Q_OBJECT

private slots:
    void testProgressSpan_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("span");
        QTest::addRow("empty") << 0 << 0;
        QTest::addRow("quarter") << 25 << -1440;
        QTest::addRow("third truncated") << 33 << -1900;
        QTest::addRow("half") << 50 << -2880;
        QTest::addRow("full") << 100 << -5760;
    }

    void testProgressSpan()
    {
        QFETCH(int, value);
        QFETCH(int, span);
        QCOMPARE(CircularProgressBar::progressSpan(value), span);
    }

    void testTrackIsTheFullCircleFromTwelveOClock()
    {
        QCOMPARE(CircularProgressBar::kStartAngle, 1440);
        QCOMPARE(CircularProgressBar::kFullSpan, 5760);
    }

    void testArcRectangle_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("pen");
        QTest::addColumn<QRect>("rect");
        QTest::addRow("square ring of the progress page") << QSize(420, 420) << 16 << QRect(8, 8, 404, 404);
        QTest::addRow("wide widget centres the square") << QSize(300, 200) << 10 << QRect(55, 5, 190, 190);
        QTest::addRow("odd pen width halves down") << QSize(120, 120) << 9 << QRect(4, 4, 111, 111);
    }

    void testArcRectangle()
    {
        QFETCH(QSize, size);
        QFETCH(int, pen);
        QFETCH(QRect, rect);
        QCOMPARE(CircularProgressBar::arcRect(size, pen), rect);
    }

    void testValueIsClamped()
    {
        CircularProgressBar ring;
        ring.setValue(150);
        QCOMPARE(ring.value(), 100);
        ring.setValue(-5);
        QCOMPARE(ring.value(), 0);
        QCOMPARE(ring.property("value").toInt(), 0);
    }

    void testDefaults()
    {
        CircularProgressBar ring;
        QCOMPARE(ring.penWidth(), 10);
        QCOMPARE(ring.progressColor(), QColor(QStringLiteral("#1A73E8")));
        QCOMPARE(ring.trackColor(), QColor(QStringLiteral("#E0E0E0")));
        QCOMPARE(ring.textColor(), QColor(QStringLiteral("#333333")));
        QCOMPARE(ring.minimumSize(), QSize(120, 120));
    }

    // Half a ring fills the right-hand side, clockwise from twelve o'clock; the left stays track.
    void testHalfRingPaintsTheRightSide()
    {
        CircularProgressBar ring;
        ring.resize(200, 200);
        ring.setPenWidth(16);
        ring.setColors(Qt::red, Qt::blue, Qt::black);
        ring.setValue(50);
        QImage image(200, 200, QImage::Format_ARGB32);
        image.fill(Qt::white);
        ring.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        const int middle = 100;
        const int ringX = 8;
        QCOMPARE(image.pixelColor(200 - ringX, middle), QColor(Qt::red));
        QCOMPARE(image.pixelColor(ringX, middle), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(middle, 200 - ringX), QColor(Qt::red));
        QCOMPARE(image.pixelColor(middle, middle), QColor(Qt::white));
    }
};

QTEST_MAIN(TestCircularProgressBar)
#include "TestCircularProgressBar.moc"
