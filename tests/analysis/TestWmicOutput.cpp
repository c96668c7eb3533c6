#include "analysis/WmicOutput.h"

#include <QtTest>

// Reading displayName out of wmic's answer in the layouts real Windows and Wine write.
class TestWmicOutput : public QObject {
    Q_OBJECT

private:
    static QByteArray utf16(const QString& text)
    {
        QByteArray bytes("\xFF\xFE");
        for (QChar ch : text) {
            bytes.append(static_cast<char>(ch.unicode() & 0xFF));
            bytes.append(static_cast<char>(ch.unicode() >> 8));
        }
        return bytes;
    }

private slots:
    void testEightBitTableWithDoubleCarriageReturns()
    {
        const QByteArray output = "displayName           \r\r\nWindows Defender      \r\r\n360 Total Security    \r\r\n\r\r\n";
        QCOMPARE(WmicOutput::values(output, QStringLiteral("displayName")),
                 (QStringList{QStringLiteral("Windows Defender"), QStringLiteral("360 Total Security")}));
    }

    void testUtf16WithByteOrderMark()
    {
        const QByteArray output = utf16(QStringLiteral("displayName  \r\n火绒安全软件  \r\n\r\n"));
        QCOMPARE(WmicOutput::values(output, QStringLiteral("displayName")), QStringList{QStringLiteral("火绒安全软件")});
    }

    void testColumnsInAnyOrder()
    {
        const QByteArray output = "displayName       productState  \r\r\n"
                                  "Windows Defender  393472        \r\r\n"
                                  "Huorong AV        266240        \r\r\n";
        QCOMPARE(WmicOutput::values(output, QStringLiteral("displayName")),
                 (QStringList{QStringLiteral("Windows Defender"), QStringLiteral("Huorong AV")}));
        const QByteArray reversed = "instanceGuid   displayName       \r\r\n"
                                    "{D68DDC3A}     Windows Defender  \r\r\n";
        QCOMPARE(WmicOutput::values(reversed, QStringLiteral("displayName")), QStringList{QStringLiteral("Windows Defender")});
    }

    void testHeaderInAnyCaseAndDuplicatesDropped()
    {
        const QByteArray output = "DISPLAYNAME  \r\nA  \r\nA  \r\nB\r\n";
        QCOMPARE(WmicOutput::values(output, QStringLiteral("displayName")), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    }

    void testValueLayout()
    {
        const QByteArray output = "\r\r\n\r\r\ndisplayName=Windows Defender\r\r\n\r\r\n\r\r\ndisplayName=Windows Defender\r\r\n";
        QCOMPARE(WmicOutput::values(output, QStringLiteral("displayName")), QStringList{QStringLiteral("Windows Defender")});
    }

    void testNothingUsable_data()
    {
        QTest::addColumn<QByteArray>("output");
        QTest::addRow("empty") << QByteArray();
        QTest::addRow("header only") << QByteArray("displayName  \r\r\n\r\r\n");
        QTest::addRow("other column only") << QByteArray("productState\r\r\n393472\r\r\n");
        QTest::addRow("error text") << QByteArray("Node - PC\r\r\nERROR:\r\r\nDescription = Invalid namespace\r\r\n");
        QTest::addRow("odd utf-16 byte") << QByteArray("\xFF\xFE\x41", 3);
    }

    void testNothingUsable()
    {
        QFETCH(QByteArray, output);
        QVERIFY(WmicOutput::values(output, QStringLiteral("displayName")).isEmpty());
    }

    void testShortRowsDoNotCrash()
    {
        const QByteArray output = "productState      displayName\r\nx\r\n\r\n";
        QVERIFY(WmicOutput::values(output, QStringLiteral("displayName")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestWmicOutput)
#include "TestWmicOutput.moc"
