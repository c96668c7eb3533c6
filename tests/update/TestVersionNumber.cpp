#include "update/VersionNumber.h"

#include <QtTest>

// Dotted version numbers: what the footer sends, what a reply may offer, and which is newer.
class TestVersionNumber : public QObject
{
    Q_OBJECT

private slots:
    void testCompare_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("order");
        QTest::addRow("equal") << "1.1.1.5"
                               << "1.1.1.5" << 0;
        QTest::addRow("numbers, not text") << "1.10"
                                           << "1.9" << 1;
        QTest::addRow("missing parts are zero") << "1.2"
                                                << "1.2.0.0" << 0;
        QTest::addRow("a longer version that is newer") << "1.2.0.1"
                                                        << "1.2" << 1;
        QTest::addRow("leading zeros") << "01.002"
                                       << "1.2" << 0;
        QTest::addRow("first part decides") << "2"
                                            << "1.99.99" << 1;
        QTest::addRow("beyond 64 bits") << "99999999999999999999999"
                                        << "99999999999999999999998" << 1;
        QTest::addRow("empty is zero") << ""
                                       << "0.0.1" << -1;
        QTest::addRow("empty equals zero") << ""
                                           << "0" << 0;
        QTest::addRow("empty part") << "1..2"
                                    << "1.0.2" << 0;
    }

    void testCompare()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, order);
        const auto sign = [](int v) { return (v > 0) - (v < 0); };
        QCOMPARE(sign(version::compare(a, b)), order);
        QCOMPARE(sign(version::compare(b, a)), -order);
    }

    void testIsPlain_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("plain");
        QTest::addRow("dotted") << "1.2.3" << true;
        QTest::addRow("one number") << "7" << true;
        QTest::addRow("32 characters") << QString(31, QLatin1Char('9')) + "." << true;
        QTest::addRow("33 characters") << QString(32, QLatin1Char('9')) + "." << false;
        QTest::addRow("empty") << "" << false;
        QTest::addRow("dots only") << "..." << false;
        QTest::addRow("letter") << "1.2a" << false;
        QTest::addRow("blank") << "1. 2" << false;
        QTest::addRow("full-width digits") << QStringLiteral("１.２") << false;
        QTest::addRow("markup") << "1<b>" << false;
    }

    void testIsPlain()
    {
        QFETCH(QString, text);
        QFETCH(bool, plain);
        QCOMPARE(version::isPlain(text), plain);
    }

    void testFromFooterText_data()
    {
        QTest::addColumn<QString>("footer");
        QTest::addColumn<QString>("sent");
        QTest::addRow("footer") << "V1.1.1.5"
                                << "1.1.1.5";
        QTest::addRow("this build's footer") << version::kShown << version::kRunning;
        QTest::addRow("blanks and words") << "  版本 v2.0 "
                                          << "2.0";
        QTest::addRow("no digits") << "Version"
                                   << "";
        QTest::addRow("empty") << ""
                               << "";
    }

    void testFromFooterText()
    {
        QFETCH(QString, footer);
        QFETCH(QString, sent);
        QCOMPARE(version::fromFooterText(footer), sent);
    }
};

QTEST_GUILESS_MAIN(TestVersionNumber)
#include "TestVersionNumber.moc"
