#include "analysis/ExecutablePath.h"

#include <QtTest>

// The program a start-up command starts, as the scoring sees it.
class TestExecutablePath : public QObject {
    Q_OBJECT

private slots:
    void testExtractsTheProgram_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("program");
        QTest::addRow("quoted path with arguments")
            << QStringLiteral("\"C:\\Program Files\\App\\app.exe\" --tray") << QStringLiteral("C:\\Program Files\\App\\app.exe");
        QTest::addRow("unquoted batch file with a switch")
            << QStringLiteral("C:\\Tools\\start.bat /quiet") << QStringLiteral("C:\\Tools\\start.bat");
        QTest::addRow("unquoted path with a blank takes the part with the extension")
            << QStringLiteral("C:\\Program Files\\App\\app.exe -min") << QStringLiteral("Files\\App\\app.exe");
        QTest::addRow("no listed extension gives the first word")
            << QStringLiteral("rundll32 shell32.dll,Control_RunDLL") << QStringLiteral("rundll32");
        QTest::addRow("extension in any case") << QStringLiteral("x C:\\A\\RUN.CMD") << QStringLiteral("C:\\A\\RUN.CMD");
        QTest::addRow("shortcut") << QStringLiteral("a b.lnk") << QStringLiteral("b.lnk");
        QTest::addRow("surrounding blanks") << QStringLiteral("   C:\\a.exe   ") << QStringLiteral("C:\\a.exe");
        QTest::addRow("tabs separate words too") << QStringLiteral("first\tC:\\b.exe") << QStringLiteral("C:\\b.exe");
        QTest::addRow("blank command") << QStringLiteral("  \t ") << QString();
        QTest::addRow("empty command") << QString() << QString();
        QTest::addRow("unclosed quote falls back to words")
            << QStringLiteral("\"C:\\App\\app.exe -x") << QStringLiteral("\"C:\\App\\app.exe");
        QTest::addRow("empty quotes") << QStringLiteral("\"\" rest") << QString();
        QTest::addRow("expandable path") << QStringLiteral("%windir%\\system32\\x.exe") << QStringLiteral("%windir%\\system32\\x.exe");
    }

    void testExtractsTheProgram()
    {
        QFETCH(QString, command);
        QFETCH(QString, program);
        QCOMPARE(executableOf(command), program);
    }

    void testVeryLongCommandIsHandled()
    {
        const QString command = QString(200000, QLatin1Char('a')) + QStringLiteral(" b.exe");
        QCOMPARE(executableOf(command), QStringLiteral("b.exe"));
    }
};

QTEST_GUILESS_MAIN(TestExecutablePath)
#include "TestExecutablePath.moc"
