#include "AnalysisMachine.h"

#include "analysis/FileTrust.h"

#include <QtTest>

using AnalysisMachine::file;
using AnalysisMachine::profile;

// Whether a program file counts as signed: by its own signature or by a security catalog that lists it.
class TestFileTrust : public QObject {
    Q_OBJECT

private slots:
    void testSignedByItselfOrByACatalog_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("isSigned");
        QTest::addRow("embedded signature") << QStringLiteral("C:\\Program Files\\App\\app.exe") << true;
        QTest::addRow("catalog signature") << QStringLiteral("C:\\Windows\\System32\\conhost.exe") << true;
        QTest::addRow("catalog lookup ignores case") << QStringLiteral("c:\\windows\\system32\\CONHOST.EXE") << true;
        QTest::addRow("both") << QStringLiteral("C:\\Windows\\explorer.exe") << true;
        QTest::addRow("neither") << QStringLiteral("C:\\Tools\\plain.exe") << false;
        QTest::addRow("missing file listed in a catalog") << QStringLiteral("C:\\Windows\\System32\\gone.exe") << false;
        QTest::addRow("folder") << QStringLiteral("C:\\Windows\\System32") << false;
        QTest::addRow("unresolved variable") << QStringLiteral("%NOSUCH%\\conhost.exe") << false;
        QTest::addRow("empty path") << QString() << false;
    }

    void testSignedByItselfOrByACatalog()
    {
        QFETCH(QString, path);
        QFETCH(bool, isSigned);
        TestMachine machine(profile(
            {{"files",
              {file("C:\\Program Files\\App\\app.exe"), file("C:\\Windows\\System32\\conhost.exe"),
               file("C:\\Windows\\explorer.exe"), file("C:\\Tools\\plain.exe")}},
             {"security",
              {{"signedFiles", {"C:\\Program Files\\App\\app.exe", "C:\\Windows\\explorer.exe"}},
               {"catalogSignedFiles",
                {"C:\\Windows\\System32\\conhost.exe", "C:\\Windows\\explorer.exe", "C:\\Windows\\System32\\gone.exe",
                 "C:\\Windows\\System32"}}}}}));
        const MachineQuery query(machine.platform());
        QCOMPARE(FileTrust(query).isSigned(path), isSigned);
    }
};

QTEST_GUILESS_MAIN(TestFileTrust)
#include "TestFileTrust.moc"
