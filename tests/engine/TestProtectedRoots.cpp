#include "phase1/OptimizeCore.h"
#include "platform/sim/DefaultMachine.h"
#include "support/RunLogLines.h"
#include "support/TestMachine.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QtTest>

using platform::sim::mergeProfile;

namespace {

constexpr std::uint64_t kMB = 1048576;
const char* const kTemp = "C:\\Users\\Ann\\AppData\\Local\\Temp";

// What a user keeps: none of it may go, however the machine's variables are set.
const char* const kUserFiles[] = {
    "C:\\Users\\Ann\\Desktop\\letter.docx",
    "C:\\Users\\Ann\\Documents\\taxes.xlsx",
    "C:\\Users\\Ann\\Pictures\\wedding.jpg",
    "C:\\Users\\Ann\\Music\\song.mp3",
    "C:\\Users\\Ann\\Videos\\birthday.mp4",
    "C:\\Users\\Ann\\Downloads\\setup.exe",
    "C:\\Users\\Ann\\AppData\\Roaming\\Mail\\inbox.db",
    "C:\\Users\\Public\\Documents\\shared.pdf",
    "C:\\Users\\Ann\\notes.txt",
    "D:\\Photos\\2019\\beach.jpg",
    "D:\\budget.xlsx",
};

// The host files below the machine's drives with their sizes, by host path.
QMap<QString, qint64> filesOf(const TestMachine& machine)
{
    QMap<QString, qint64> files;
    QDirIterator it(machine.folder() + QStringLiteral("/machine/drives"), QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        files.insert(it.filePath(), it.fileInfo().size());
    }
    return files;
}

void writeHostFile(const QString& path, qint64 size)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(size));
}

} // namespace

// Whatever TEMP, TMP and the folders of a machine are, the cleanup removes nothing outside its folders:
// a root that is or holds a protected folder is not walked, a root whose variables did not expand is not
// walked, links are not followed and names Windows cannot hold are never joined into a path. The figures
// are exactly what disappeared from the disk.
class TestProtectedRoots : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestMachine machine;
        RunLogLines::start(machine.platform());
    }

    void testUserFilesSurvive_data()
    {
        QTest::addColumn<QString>("temp");
        QTest::addColumn<QString>("tempLink");
        QTest::addColumn<QString>("skipped");
        QTest::addRow("TEMP and TMP at a drive root") << "D:\\"
                                                      << ""
                                                      << "D:\\\\";
        QTest::addRow("TEMP at the system drive root") << "C:"
                                                       << ""
                                                       << "C:\\";
        QTest::addRow("TEMP at the user profile") << "C:\\Users\\Ann"
                                                  << ""
                                                  << "C:\\Users\\Ann\\";
        QTest::addRow("TEMP at the Desktop") << "C:\\Users\\Ann\\Desktop"
                                             << ""
                                             << "C:\\Users\\Ann\\Desktop\\";
        QTest::addRow("TEMP at Pictures") << "C:\\Users\\Ann\\Pictures"
                                          << ""
                                          << "C:\\Users\\Ann\\Pictures\\";
        QTest::addRow("TEMP at the Public profile") << "C:\\Users\\Public"
                                                    << ""
                                                    << "C:\\Users\\Public\\";
        QTest::addRow("TEMP at AppData") << "C:\\Users\\Ann\\AppData"
                                         << ""
                                         << "C:\\Users\\Ann\\AppData\\";
        QTest::addRow("TEMP at the Users folder") << "C:\\Users"
                                                  << ""
                                                  << "C:\\Users\\";
        QTest::addRow("TEMP with a variable that did not expand") << "%TIDEWELL_NOPE%\\Temp"
                                                                  << ""
                                                                  << "";
        QTest::addRow("TEMP empty") << ""
                                    << ""
                                    << "";
        QTest::addRow("TEMP a link to Documents") << kTemp << "C:\\Users\\Ann\\Documents"
                                                  << "";
        QTest::addRow("TEMP as usual") << kTemp << ""
                                       << "";
    }

    void testUserFilesSurvive()
    {
        QFETCH(QString, temp);
        QFETCH(QString, tempLink);
        QFETCH(QString, skipped);
        nlohmann::json files = nlohmann::json::array();
        for (const char* path : kUserFiles)
            files.push_back({{"path", path}, {"size", 2 * kMB}});
        files.push_back({{"path", std::string(kTemp) + "\\old.tmp"}, {"size", 3 * kMB}});
        files.push_back({{"path", std::string(kTemp) + "\\Low\\cache.bin"}, {"size", 1 * kMB}});
        files.push_back({{"path", std::string(kTemp) + "\\pictures"}, {"linkTo", "C:\\Users\\Ann\\Pictures"}});
        if (!tempLink.isEmpty())
            files = {{{"path", kUserFiles[1]}, {"size", 2 * kMB}},
                     {{"path", kTemp}, {"linkTo", tempLink.toStdString()}}};
        nlohmann::json profile = TestMachine::windows10();
        mergeProfile(profile,
                     {{"environment", {{"USERNAME", "Ann"}, {"TEMP", temp.toStdString()}, {"TMP", temp.toStdString()}}},
                      {"files", files}});
        TestMachine machine(profile);
        OptimizeCore core(machine.platform());
        core.osMajor = 10;
        const QMap<QString, qint64> before = filesOf(machine);
        const int mark = RunLogLines::mark();
        const int cleanedMB = core.cleanJunkFiles(QStringLiteral("C:"));

        for (const char* path : kUserFiles) {
            const QString host = machine.hostPath(QString::fromUtf8(path));
            QVERIFY2(!before.contains(host) || QFileInfo::exists(host), path);
        }
        const QStringList lines = RunLogLines::engineSince(mark);
        const QStringList skips = lines.filter(QStringLiteral("跳过受保护目录"));
        QCOMPARE(skips,
                 skipped.isEmpty() ? QStringList() : QStringList{QStringLiteral("    跳过受保护目录 ") + skipped});
        qint64 removedBytes = 0;
        int removedFiles = 0;
        const QMap<QString, qint64> after = filesOf(machine);
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            if (after.contains(it.key()))
                continue;
            removedBytes += it.value();
            ++removedFiles;
        }
        QCOMPARE(core.junkFilesCount, removedFiles);
        QCOMPARE(qint64(cleanedMB), removedBytes / qint64(kMB));
    }

    // Names a Windows folder cannot hold, made on the simulated PC: passed over, never joined into a path
    // (joined, the first would name a file three folders up).
    void testOddNamesArePassedOver_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addRow("backslashes climbing out") << "..\\..\\..\\Desktop\\letter.docx";
        QTest::addRow("trailing dot") << "report.";
        QTest::addRow("trailing blank") << "notes ";
        QTest::addRow("stream colon") << "data:secret";
        QTest::addRow("wildcard") << "a*b.tmp";
        QTest::addRow("folder with a backslash") << "sub\\dir/inner.tmp";
    }

    void testOddNamesArePassedOver()
    {
        QFETCH(QString, name);
        nlohmann::json profile = TestMachine::windows10();
        mergeProfile(profile, {{"environment", {{"USERNAME", "Ann"}}},
                               {"files",
                                {{{"path", "C:\\Users\\Ann\\Desktop\\letter.docx"}, {"size", 2 * kMB}},
                                 {{"path", std::string(kTemp) + "\\plain.tmp"}, {"size", 1 * kMB}}}}});
        TestMachine machine(profile);
        const QString odd = machine.hostPath(QString::fromUtf8(kTemp)) + QLatin1Char('/') + name;
        writeHostFile(odd, 5 * qint64(kMB));
        OptimizeCore core(machine.platform());
        QCOMPARE(core.cleanDirectory(QString::fromUtf8(kTemp), {}), qint64(kMB));
        QCOMPARE(core.junkFilesCount, 1);
        QVERIFY(QFileInfo::exists(odd));
        QVERIFY(QFileInfo::exists(machine.hostPath(QStringLiteral("C:\\Users\\Ann\\Desktop\\letter.docx"))));
        QVERIFY(!QFileInfo::exists(machine.hostPath(QString::fromUtf8(kTemp) + QStringLiteral("\\plain.tmp"))));
    }

    void testListingPassesOddNamesThrough()
    {
        TestMachine machine;
        writeHostFile(machine.hostPath(QStringLiteral("C:\\Odd")) + QStringLiteral("/a\\b."), 1);
        QStringList names;
        machine.platform().files.list(L"C:\\Odd", [&](const platform::FileEntry& entry) {
            names.append(QString::fromStdWString(entry.name));
            return true;
        });
        QCOMPARE(names, QStringList{QStringLiteral("a\\b.")});
    }
};

QTEST_GUILESS_MAIN(TestProtectedRoots)
#include "TestProtectedRoots.moc"
