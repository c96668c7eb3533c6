#include "log/OsVersionName.h"
#include "support/TestMachine.h"

#include <QtTest>

class TestOsVersionName : public QObject {
    Q_OBJECT

private:
    static nlohmann::json machineWith(const nlohmann::json& values)
    {
        return {{"registry", {{"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", values}}}};
    }

private slots:
    void testNames_data()
    {
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, const nlohmann::json& values, const char* expected) {
            QTest::addRow("%s", name) << QString::fromStdString(values.dump()) << QString::fromUtf8(expected);
        };
        row("Windows 7", {{"CurrentMajorVersionNumber", 6}, {"CurrentMinorVersionNumber", 1}, {"CurrentBuildNumber", "7601"}}, "Win7 (Build 7601)");
        row("Windows 8", {{"CurrentMajorVersionNumber", 6}, {"CurrentMinorVersionNumber", 2}, {"CurrentBuildNumber", "9200"}}, "Win8 (Build 9200)");
        row("Windows 8.1", {{"CurrentMajorVersionNumber", 6}, {"CurrentMinorVersionNumber", 3}, {"CurrentBuildNumber", "9600"}}, "Win8.1 (Build 9600)");
        row("Windows 10", {{"CurrentMajorVersionNumber", 10}, {"CurrentMinorVersionNumber", 0}, {"CurrentBuildNumber", "19045"}}, "Win10 (Build 19045)");
        row("last Windows 10 build", {{"CurrentMajorVersionNumber", 10}, {"CurrentMinorVersionNumber", 0}, {"CurrentBuildNumber", "21999"}}, "Win10 (Build 21999)");
        row("Windows 11", {{"CurrentMajorVersionNumber", 10}, {"CurrentMinorVersionNumber", 0}, {"CurrentBuildNumber", "22000"}}, "Win11 (Build 22000)");
        row("Windows XP", {{"CurrentMajorVersionNumber", 5}, {"CurrentMinorVersionNumber", 1}, {"CurrentBuildNumber", "2600"}}, "Unknown (5.1 Build 2600)");
        row("Windows 7 without number values", {{"CurrentVersion", "6.1"}, {"CurrentBuildNumber", "7601"}}, "Win7 (Build 7601)");
        row("Windows 8 without number values", {{"CurrentVersion", "6.2"}, {"CurrentBuildNumber", "9200"}}, "Win8 (Build 9200)");
        row("Windows 8.1 without number values", {{"CurrentVersion", "6.3"}, {"CurrentBuildNumber", "9600"}}, "Win8.1 (Build 9600)");
        row("Windows 10 keeps CurrentVersion 6.3", {{"CurrentVersion", "6.3"}, {"CurrentMajorVersionNumber", 10}, {"CurrentMinorVersionNumber", 0}, {"CurrentBuildNumber", "19045"}}, "Win10 (Build 19045)");
        row("Vista without number values", {{"CurrentVersion", "6.0"}, {"CurrentBuildNumber", "6002"}}, "Unknown (6.0 Build 6002)");
        row("CurrentVersion not a version", {{"CurrentVersion", "seven"}, {"CurrentBuildNumber", "7601"}}, "Unknown (0.0 Build 7601)");
        row("neither version value", {{"CurrentBuildNumber", "7601"}}, "Unknown (0.0 Build 7601)");
        row("build not a number", {{"CurrentMajorVersionNumber", 10}, {"CurrentMinorVersionNumber", 0}, {"CurrentBuildNumber", "abc"}}, "Win10 (Build 0)");
        row("build with blanks", {{"CurrentMajorVersionNumber", 10}, {"CurrentMinorVersionNumber", 0}, {"CurrentBuildNumber", " 19045 "}}, "Win10 (Build 19045)");
        row("build longer than 256 bytes", {{"CurrentMajorVersionNumber", 10}, {"CurrentMinorVersionNumber", 0}, {"CurrentBuildNumber", std::string(200, '1')}}, "Win10 (Build 0)");
        row("major stored as text", {{"CurrentMajorVersionNumber", "10"}, {"CurrentBuildNumber", "19045"}}, "Unknown (0.0 Build 19045)");
        row("broken two-byte DWORD", {{"CurrentMajorVersionNumber", {{"type", 4}, {"hex", "0a00"}}}, {"CurrentBuildNumber", "19045"}}, "Unknown (0.0 Build 19045)");
    }

    void testNames()
    {
        QFETCH(QString, values);
        QFETCH(QString, expected);
        TestMachine machine(machineWith(nlohmann::json::parse(values.toStdString())));
        QCOMPARE(osVersionName(machine.platform()), expected);
    }

    void testMissingKeyIsUnknownOs()
    {
        TestMachine machine(nlohmann::json::object());
        QCOMPARE(osVersionName(machine.platform()), QStringLiteral("Unknown OS"));
    }

    void testUnreadableKeyIsUnknownOs()
    {
        TestMachine machine(machineWith({{"@denied", true}, {"CurrentMajorVersionNumber", 10}}));
        QCOMPARE(osVersionName(machine.platform()), QStringLiteral("Unknown OS"));
    }
};

QTEST_GUILESS_MAIN(TestOsVersionName)
#include "TestOsVersionName.moc"
