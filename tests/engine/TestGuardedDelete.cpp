#include "engine/GuardedDelete.h"
#include "platform/sim/DefaultMachine.h"
#include "support/TestMachine.h"

#include <QFileInfo>
#include <QtTest>

using platform::sim::mergeProfile;

namespace {

nlohmann::json machineWith(const nlohmann::json& overlay)
{
    nlohmann::json profile = TestMachine::windows10();
    mergeProfile(profile, overlay);
    return profile;
}

} // namespace

// The one deletion function: protected folders, links and honest reports.
class TestGuardedDelete : public QObject {
    Q_OBJECT

private slots:
    void testProtectedFolders_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("isProtected");
        QTest::addRow("system drive root") << "C:\\" << true;
        QTest::addRow("other drive root") << "d:" << true;
        QTest::addRow("Windows, other case, trailing") << "c:\\WINDOWS\\" << true;
        QTest::addRow("System32") << "C:\\Windows\\System32" << true;
        QTest::addRow("Program Files") << "C:\\Program Files" << true;
        QTest::addRow("Program Files (x86)") << "C:\\Program Files (x86)\\" << true;
        QTest::addRow("ProgramData") << "C:\\ProgramData" << true;
        QTest::addRow("Users") << "C:\\Users" << true;
        QTest::addRow("a profile") << "C:\\Users\\Ann" << true;
        QTest::addRow("a Desktop") << "C:\\Users\\Ann\\Desktop" << true;
        QTest::addRow("Documents reached through dots") << "C:\\Users\\Ann\\AppData\\..\\.\\Documents" << true;
        QTest::addRow("dots above the root") << "C:\\..\\.." << true;
        QTest::addRow("program files moved elsewhere") << "E:\\Apps\\Program Files" << true;
        QTest::addRow("folder holding moved program files") << "E:\\Apps" << true;
        QTest::addRow("profile moved elsewhere") << "E:\\Home\\ann" << true;
        QTest::addRow("temporary folder") << "C:\\Users\\Ann\\AppData\\Local\\Temp" << false;
        QTest::addRow("folder on the Desktop") << "C:\\Users\\Ann\\Desktop\\old stuff" << false;
        QTest::addRow("Windows Temp") << "C:\\Windows\\Temp" << false;
        QTest::addRow("a program's folder") << "C:\\Program Files (x86)\\2345Soft" << false;
        QTest::addRow("empty path") << "" << true;
        QTest::addRow("Pictures") << "C:\\Users\\Ann\\Pictures" << true;
        QTest::addRow("another user's Music") << "C:\\Users\\Bob\\Music\\" << true;
        QTest::addRow("Videos") << "C:\\Users\\Ann\\Videos" << true;
        QTest::addRow("Downloads") << "C:\\Users\\Ann\\Downloads" << true;
        QTest::addRow("the Public profile") << "C:\\Users\\Public" << true;
        QTest::addRow("AppData") << "C:\\Users\\Ann\\AppData\\Roaming" << true;
        QTest::addRow("a variable that did not expand") << "%NOPE%\\Temp" << true;
        QTest::addRow("a folder in Downloads") << "C:\\Users\\Ann\\Downloads\\old setup" << false;
    }

    void testProtectedFolders()
    {
        QFETCH(QString, folder);
        TestMachine machine(machineWith({{"environment", {{"ProgramFiles", "E:\\Apps\\Program Files"},
                                                          {"USERPROFILE", "E:\\Home\\Ann"}}}}));
        GuardedDelete guard(machine.platform());
        QTEST(guard.isProtected(folder.toStdWString()), "isProtected");
    }

    void testRefusesAProtectedTree()
    {
        TestMachine machine(machineWith({{"files", {{{"path", "C:\\Users\\Ann\\Desktop\\note.txt"}, {"size", 10}}}}}));
        const Removal removal = GuardedDelete(machine.platform()).removeTree(L"C:\\Users\\Ann\\Desktop\\");
        QVERIFY(removal.refused);
        QCOMPARE(removal.files, 0);
        QVERIFY(QFileInfo::exists(machine.hostPath(QStringLiteral("C:\\Users\\Ann\\Desktop\\note.txt"))));
    }

    void testTreeReportsWhatReallyWent()
    {
        TestMachine machine(machineWith(
            {{"files",
              {{{"path", "C:\\Program Files (x86)\\Old\\a.dll"}, {"size", 1000}},
               {{"path", "C:\\Program Files (x86)\\Old\\bin\\b.exe"}, {"size", 2000}},
               {{"path", "C:\\Program Files (x86)\\Old\\data\\in-use.dat"}, {"size", 4000}, {"attributes", {"locked"}}},
               {{"path", "C:\\Users\\Ann\\Music\\song.mp3"}, {"size", 8000}},
               {{"path", "C:\\Program Files (x86)\\Old\\music"}, {"linkTo", "C:\\Users\\Ann\\Music"}}}}}));
        const Removal removal = GuardedDelete(machine.platform()).removeTree(L"C:\\Program Files (x86)\\Old");
        QVERIFY(!removal.refused);
        QCOMPARE(removal.files, 2);
        QCOMPARE(removal.bytes, qint64(3000));
        QCOMPARE(removal.folders, 1);
        QVERIFY(QFileInfo::exists(machine.hostPath(QStringLiteral("C:\\Users\\Ann\\Music\\song.mp3"))));
        QVERIFY(!QFileInfo(machine.hostPath(QStringLiteral("C:\\Program Files (x86)\\Old\\music"))).isSymLink());
        QVERIFY(QFileInfo::exists(machine.hostPath(QStringLiteral("C:\\Program Files (x86)\\Old\\data\\in-use.dat"))));
    }

    void testRefusesALinkAsTheTarget()
    {
        TestMachine machine(machineWith({{"files",
                                          {{{"path", "C:\\Users\\Ann\\Music\\song.mp3"}, {"size", 8000}},
                                           {{"path", "C:\\Residue\\Tunes"}, {"linkTo", "C:\\Users\\Ann\\Music"}}}}}));
        GuardedDelete guard(machine.platform());
        QVERIFY(guard.removeTree(L"C:\\Residue\\Tunes").refused);
        QVERIFY(guard.removeFile(L"C:\\Residue\\Tunes").refused);
        QVERIFY(QFileInfo::exists(machine.hostPath(QStringLiteral("C:\\Users\\Ann\\Music\\song.mp3"))));
    }

    void testSingleFile()
    {
        TestMachine machine(machineWith({{"files",
                                          {{{"path", "C:\\Cache\\font.dat"}, {"size", 3000}},
                                           {{"path", "C:\\Cache\\busy.dat"}, {"size", 5000}, {"attributes", {"locked"}}}}}}));
        GuardedDelete guard(machine.platform());
        Removal removal = guard.removeFile(L"C:\\Cache\\busy.dat");
        QCOMPARE(removal.files, 0);
        QCOMPARE(removal.bytes, qint64(0));
        removal = guard.removeFile(L"C:\\Cache\\font.dat");
        QCOMPARE(removal.files, 1);
        QCOMPARE(removal.bytes, qint64(3000));
        QVERIFY(guard.removeFile(L"C:\\Cache").refused);
        QCOMPARE(guard.removeFile(L"C:\\Cache\\none.dat").files, 0);
    }
};

QTEST_GUILESS_MAIN(TestGuardedDelete)
#include "TestGuardedDelete.moc"
