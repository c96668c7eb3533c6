#include "AnalysisMachine.h"

#include "analysis/FileTrust.h"

#include <QtTest>

using AnalysisMachine::file;
using AnalysisMachine::profile;

// Whether a program file counts as signed: by its own signature or by a security catalog that lists it; a
// signature that cannot be checked is neither signed nor unsigned.
class TestFileTrust : public QObject {
    Q_OBJECT

private slots:
    void testSignedByItselfOrByACatalog_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("verdict");
        const int yes = int(FileTrust::Verdict::Signed);
        const int no = int(FileTrust::Verdict::Unsigned);
        const int unknown = int(FileTrust::Verdict::Unknown);
        QTest::addRow("embedded signature") << QStringLiteral("C:\\Program Files\\App\\app.exe") << yes;
        QTest::addRow("catalog signature") << QStringLiteral("C:\\Windows\\System32\\conhost.exe") << yes;
        QTest::addRow("catalog lookup ignores case") << QStringLiteral("c:\\windows\\system32\\CONHOST.EXE") << yes;
        QTest::addRow("both") << QStringLiteral("C:\\Windows\\explorer.exe") << yes;
        QTest::addRow("neither") << QStringLiteral("C:\\Tools\\plain.exe") << no;
        QTest::addRow("missing file listed in a catalog") << QStringLiteral("C:\\Windows\\System32\\gone.exe") << no;
        QTest::addRow("folder") << QStringLiteral("C:\\Windows\\System32") << no;
        QTest::addRow("unresolved variable") << QStringLiteral("%NOSUCH%\\conhost.exe") << no;
        QTest::addRow("empty path") << QString() << no;
        QTest::addRow("chain incomplete offline") << QStringLiteral("C:\\Program Files\\New\\new.exe") << unknown;
    }

    void testSignedByItselfOrByACatalog()
    {
        QFETCH(QString, path);
        QFETCH(int, verdict);
        TestMachine machine(profile(
            {{"files",
              {file("C:\\Program Files\\App\\app.exe"), file("C:\\Windows\\System32\\conhost.exe"),
               file("C:\\Windows\\explorer.exe"), file("C:\\Tools\\plain.exe"),
               file("C:\\Program Files\\New\\new.exe")}},
             {"security",
              {{"signedFiles", {"C:\\Program Files\\App\\app.exe", "C:\\Windows\\explorer.exe"}},
               {"catalogSignedFiles",
                {"C:\\Windows\\System32\\conhost.exe", "C:\\Windows\\explorer.exe", "C:\\Windows\\System32\\gone.exe",
                 "C:\\Windows\\System32"}},
               {"uncheckableFiles", {"C:\\Program Files\\New\\new.exe"}}}}}));
        const MachineQuery query(machine.platform());
        QCOMPARE(int(FileTrust(query).verdict(path)), verdict);
    }
};

QTEST_GUILESS_MAIN(TestFileTrust)
#include "TestFileTrust.moc"
