#include "identity/DeviceIdentity.h"
#include "platform/sim/DefaultMachine.h"
#include "support/TempStick.h"
#include "support/TestMachine.h"

#include <QRegularExpression>
#include <QtTest>

class TestDeviceIdentity : public QObject {
    Q_OBJECT

private:
    static bool isFreshId(const QString& id)
    {
        return QRegularExpression(QStringLiteral("^[0-9a-f]{16}$")).match(id).hasMatch();
    }

    static nlohmann::json withTools(const nlohmann::json& tools)
    {
        nlohmann::json profile = TestMachine::windows10();
        profile["tools"] = tools;
        return profile;
    }

private slots:
    void testStoredIdentifierIsReadBack_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        QTest::addRow("plain") << QByteArray("0123456789abcdef") << QStringLiteral("0123456789abcdef");
        QTest::addRow("trailing line break") << QByteArray("abc\n") << QStringLiteral("abc");
        QTest::addRow("CR LF and blanks") << QByteArray("  my-stick_01 \r\n") << QStringLiteral("my-stick_01");
        QTest::addRow("64 characters") << QByteArray(64, 'a') << QString(64, QLatin1Char('a'));
    }

    void testStoredIdentifierIsReadBack()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        TempStick stick;
        TestMachine machine;
        stick.writeFile(QStringLiteral("../config/device.id"), content);
        QCOMPARE(generateDeviceId(stick.appDir(), machine.platform()), expected);
        QVERIFY(machine.journal().isEmpty());
    }

    void testMissingOrUnusableIdentifierIsReplaced_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("present");
        QTest::addRow("no file") << QByteArray() << false;
        QTest::addRow("empty file") << QByteArray() << true;
        QTest::addRow("only blanks") << QByteArray("   \n\t") << true;
        QTest::addRow("path separators") << QByteArray("../../evil") << true;
        QTest::addRow("inner blank") << QByteArray("two words") << true;
        QTest::addRow("65 characters") << QByteArray(65, 'a') << true;
        QTest::addRow("two lines") << QByteArray("abc\ndef") << true;
        QTest::addRow("binary") << QByteArray("\x00\x01\xff", 3) << true;
    }

    void testMissingOrUnusableIdentifierIsReplaced()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, present);
        TempStick stick;
        TestMachine machine;
        if (present)
            stick.writeFile(QStringLiteral("../config/device.id"), content);
        const QString id = generateDeviceId(stick.appDir(), machine.platform());
        QVERIFY2(isFreshId(id), qPrintable(id));
        QCOMPARE(stick.readFile(QStringLiteral("../config/device.id")), id.toUtf8());
        QCOMPARE(generateDeviceId(stick.appDir(), machine.platform()), id);
    }

    void testFreshIdentifierAsksWmicTwice()
    {
        TempStick stick;
        TestMachine machine;
        generateDeviceId(stick.appDir(), machine.platform());
        QCOMPARE(machine.journal(),
                 QStringList({QStringLiteral("command C:\\Windows\\system32\\wbem\\wmic.exe path Win32_Processor get ProcessorId /value -> exit 0"),
                              QStringLiteral("command C:\\Windows\\system32\\wbem\\wmic.exe path Win32_BaseBoard get SerialNumber /value -> exit 0")}));
    }

    void testTwoComputationsDiffer()
    {
        TempStick first;
        TempStick second;
        TestMachine machine;
        QVERIFY(generateDeviceId(first.appDir(), machine.platform()) !=
                generateDeviceId(second.appDir(), machine.platform()));
    }

    void testEmptyWmicAnswersStillGiveAnIdentifier()
    {
        TempStick stick;
        TestMachine machine(nlohmann::json{{"system", {{"systemDirectory", "C:\\Windows\\system32"}}}});
        QVERIFY(isFreshId(generateDeviceId(stick.appDir(), machine.platform())));
    }

    void testUnwritableConfigFolderServesThisRunOnly()
    {
        TempStick stick;
        TestMachine machine;
        stick.writeFile(QStringLiteral("../config"), "a file where the folder should be");
        const QString id = generateDeviceId(stick.appDir(), machine.platform());
        QVERIFY(isFreshId(id));
        QVERIFY(generateDeviceId(stick.appDir(), machine.platform()) != id);
    }

    void testWmicQuery_data()
    {
        QTest::addColumn<QString>("tools");
        QTest::addColumn<QString>("wmicOutput");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("expected");
        QTest::addRow("answer") << "{}" << "" << "ProcessorId" << "BFEBFBFF000906EA";
        QTest::addRow("as Wine answers") << "{}" << "utf16" << "ProcessorId" << "BFEBFBFF000906EA";
        QTest::addRow("name is case-sensitive") << "{}" << "" << "processorid" << "";
        QTest::addRow("unknown property") << "{}" << "" << "Nothing" << "";
        QTest::addRow("wmic missing") << R"({"wmic": "missing"})" << "" << "ProcessorId" << "";
        QTest::addRow("wmic hangs") << R"({"wmic": "hang"})" << "" << "ProcessorId" << "";
        QTest::addRow("access denied") << R"({"wmic": {"exitCode": 2147749890, "output": ""}})" << "" << "ProcessorId" << "";
        QTest::addRow("value with blanks and CR") << R"({"wmic": {"exitCode": 0, "output": "\r\r\nProcessorId=  ABC 1 \r\r\n"}})" << ""
                                                  << "ProcessorId" << "ABC 1";
        QTest::addRow("first matching line wins") << R"({"wmic": {"exitCode": 0, "output": "ProcessorIdX=1\nProcessorId=2\nProcessorId=3\n"}})"
                                                  << "" << "ProcessorId" << "2";
    }

    void testWmicQuery()
    {
        QFETCH(QString, tools);
        QFETCH(QString, wmicOutput);
        QFETCH(QString, property);
        QFETCH(QString, expected);
        nlohmann::json profile = withTools(nlohmann::json::parse(tools.toStdString()));
        if (!wmicOutput.isEmpty())
            profile["wmicOutput"] = wmicOutput.toStdString();
        TestMachine machine(profile);
        QCOMPARE(wmicQuery(QStringLiteral("Win32_Processor"), property, machine.platform()), expected);
    }
};

QTEST_GUILESS_MAIN(TestDeviceIdentity)
#include "TestDeviceIdentity.moc"
