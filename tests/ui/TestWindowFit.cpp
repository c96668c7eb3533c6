#include "ui/main/WindowFit.h"

#include <QtTest>

class TestWindowFit : public QObject {
    Q_OBJECT

private slots:
    void testExtraScale_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("workWidth");
        QTest::addColumn<int>("workHeight");
        QTest::addColumn<double>("scale");
        QTest::addRow("100 %% on 1920x1040 fits") << 96 << 1920 << 1040 << 1.0;
        QTest::addRow("150 %% on 2560x1400 fits") << 144 << 2560 << 1400 << 1.0;
        QTest::addRow("125 %% on 1366x728 held by the height") << 120 << 1366 << 728 << (728.0 / 680) / 1.25;
        QTest::addRow("175 %% on 1920x1040 held by the height") << 168 << 1920 << 1040 << (1040.0 / 680) / 1.75;
        QTest::addRow("100 %% on a 1024x560 netbook") << 96 << 1024 << 560 << 560.0 / 680;
        QTest::addRow("200 %% on 1600x2000 held by the width") << 192 << 1600 << 2000 << (1600.0 / 860) / 2;
        QTest::addRow("unknown DPI") << 0 << 1366 << 728 << 1.0;
        QTest::addRow("unknown work area") << 168 << 0 << 0 << 1.0;
    }

    void testExtraScale()
    {
        QFETCH(int, dpi);
        QFETCH(int, workWidth);
        QFETCH(int, workHeight);
        QFETCH(double, scale);
        QCOMPARE(WindowFit::extraScale({dpi, workWidth, workHeight}), scale);
    }
};

QTEST_APPLESS_MAIN(TestWindowFit)
#include "TestWindowFit.moc"
