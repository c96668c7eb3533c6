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

    void testUnquotedCommandIsResolvedAsWindowsDoes_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("program");
        const QString app = QStringLiteral("C:\\Program Files\\Vendor\\app.exe");
        QTest::addRow("path with blanks and a switch") << app + QStringLiteral(" /s") << app;
        QTest::addRow("whole command is the path") << app << app;
        QTest::addRow("no extension: .exe is tried") << QStringLiteral("C:\\Program Files\\Vendor\\app -min") << app;
        QTest::addRow("the shortest existing prefix wins")
            << QStringLiteral("C:\\Tools\\run.bat now.exe") << QStringLiteral("C:\\Tools\\run.bat");
        QTest::addRow("a prefix with another extension is not given .exe")
            << QStringLiteral("C:\\Tools\\run.bat now") << QStringLiteral("C:\\Tools\\run.bat");
        QTest::addRow("nothing exists: the word rules")
            << QStringLiteral("C:\\Gone Away\\x.exe -y") << QStringLiteral("Away\\x.exe");
        QTest::addRow("a run of blanks ends one prefix")
            << QStringLiteral("C:\\Tools\\run.bat \t  now") << QStringLiteral("C:\\Tools\\run.bat");
        QTest::addRow("quoted command is not resolved")
            << QLatin1Char('"') + app + QStringLiteral("\" /s") << app;
        QTest::addRow("blank command") << QStringLiteral("   ") << QString();
    }

    void testUnquotedCommandIsResolvedAsWindowsDoes()
    {
        QFETCH(QString, command);
        QFETCH(QString, program);
        const QStringList files = {QStringLiteral("C:\\Program Files\\Vendor\\app.exe"),
                                   QStringLiteral("C:\\Tools\\run.bat"), QStringLiteral("C:\\Tools\\run.bat now.exe")};
        const auto isFile = [&files](const QString& path) { return files.contains(path, Qt::CaseInsensitive); };
        QCOMPARE(executableOf(command, isFile), program);
    }

    void testResolutionTriesOnlyPrefixesOfBoundedLength()
    {
        const QString command = QString(3000, QLatin1Char('a')).replace(QLatin1Char('a'), QStringLiteral("a "));
        int asked = 0;
        const auto isFile = [&asked](const QString&) {
            ++asked;
            return false;
        };
        QCOMPARE(executableOf(command, isFile), QStringLiteral("a"));
        QCOMPARE(asked, kMaxProgramChars / 2);
    }

    void testVeryLongCommandIsHandled()
    {
        const QString command = QString(200000, QLatin1Char('a')) + QStringLiteral(" b.exe");
        QCOMPARE(executableOf(command), QStringLiteral("b.exe"));
    }
};

QTEST_GUILESS_MAIN(TestExecutablePath)
#include "TestExecutablePath.moc"
