#include "analysis/SignatureDatabase.h"
#include "analysis/SignatureFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

// Loading the two signature files, with hostile contents, and the files that ship with the program.
class TestSignatureDatabase : public QObject {
    Q_OBJECT

private:
    static void write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
    {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray onePattern()
    {
        return R"({"version": "7", "patterns": [{"id": "adw-001", "name": "Ad", "name_cn": "广告", "category": "adware",
                  "risk_level": "high", "description": "d", "removal_notes": "r",
                  "detection": {"uninstall_keys": ["Ad Soft"], "registry_keys": ["HKLM\\X"],
                                "file_paths": ["%APPDATA%\\Ad"], "process_names": ["ad.exe"],
                                "service_names": ["AdSvc"], "startup_names": ["AdRun"]}}]})";
    }

    // The copy beside the built program, where it looks for them.
    static QString shippedFolder()
    {
        return QFileInfo(QStringLiteral(TIDEWELL_SIM_PATH)).absolutePath() + QStringLiteral("/signatures");
    }

private slots:
    void testLoadsEveryField()
    {
        QTemporaryDir dir;
        write(dir, QStringLiteral("adware.json"), onePattern());
        SignatureDatabase db;
        QVERIFY(db.load(dir.path()));
        QVERIFY(db.loaded);
        QCOMPARE(db.version, QStringLiteral("7"));
        QCOMPARE(db.patterns.size(), 1);
        const AdwarePattern& p = db.patterns.first();
        QCOMPARE(p.id, QStringLiteral("adw-001"));
        QCOMPARE(p.name, QStringLiteral("Ad"));
        QCOMPARE(p.nameCn, QStringLiteral("广告"));
        QCOMPARE(p.category, QStringLiteral("adware"));
        QCOMPARE(p.riskLevel, QStringLiteral("high"));
        QCOMPARE(p.description, QStringLiteral("d"));
        QCOMPARE(p.removalNotes, QStringLiteral("r"));
        QCOMPARE(p.uninstallKeys, QStringList{QStringLiteral("Ad Soft")});
        QCOMPARE(p.registryKeys, QStringList{QStringLiteral("HKLM\\X")});
        QCOMPARE(p.filePaths, QStringList{QStringLiteral("%APPDATA%\\Ad")});
        QCOMPARE(p.processNames, QStringList{QStringLiteral("ad.exe")});
        QCOMPARE(p.serviceNames, QStringList{QStringLiteral("AdSvc")});
        QCOMPARE(p.startupNames, QStringList{QStringLiteral("AdRun")});
        QVERIFY(db.whitelistPatternIds.isEmpty());
    }

    void testMissingFolderFailsAndLeavesItUnloaded()
    {
        SignatureDatabase db;
        QVERIFY(!db.load(QStringLiteral("/nonexistent/tidewell/signatures")));
        QVERIFY(!db.loaded);
    }

    void testInvalidJsonFailsAndClearsAnEarlierLoad()
    {
        QTemporaryDir good;
        write(good, QStringLiteral("adware.json"), onePattern());
        SignatureDatabase db;
        QVERIFY(db.load(good.path()));
        QTemporaryDir bad;
        write(bad, QStringLiteral("adware.json"), "{\"patterns\": [");
        QVERIFY(!db.load(bad.path()));
        QVERIFY(!db.loaded);
        QVERIFY(db.patterns.isEmpty());
        QVERIFY(db.version.isEmpty());
    }

    void testValidFileWithoutSignaturesLoadsButIsNotLoaded_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addRow("no patterns") << QByteArray(R"({"version": "1"})");
        QTest::addRow("patterns not an array") << QByteArray(R"({"patterns": {"id": "x"}})");
        QTest::addRow("no objects") << QByteArray(R"({"patterns": [1, "two", null, [3]]})");
        QTest::addRow("root is an array") << QByteArray(R"([{"id": "x"}])");
    }

    void testValidFileWithoutSignaturesLoadsButIsNotLoaded()
    {
        QFETCH(QByteArray, json);
        QTemporaryDir dir;
        write(dir, QStringLiteral("adware.json"), json);
        SignatureDatabase db;
        QVERIFY(db.load(dir.path()));
        QVERIFY(!db.loaded);
    }

    void testWrongTypesReadAsEmpty()
    {
        SignatureFile::Patterns parsed;
        QVERIFY(SignatureFile::parsePatterns(
            R"({"version": 3, "patterns": [7, {"id": 5, "name": ["x"], "detection": {"process_names": ["a.exe", 1, null, "b.exe"],
                "file_paths": "C:\\x", "startup_names": {}}}]})",
            parsed));
        QVERIFY(parsed.version.isEmpty());
        QCOMPARE(parsed.patterns.size(), 1);
        QVERIFY(parsed.patterns[0].id.isEmpty());
        QVERIFY(parsed.patterns[0].name.isEmpty());
        QCOMPARE(parsed.patterns[0].processNames, (QStringList{QStringLiteral("a.exe"), QStringLiteral("b.exe")}));
        QVERIFY(parsed.patterns[0].filePaths.isEmpty());
        QVERIFY(parsed.patterns[0].startupNames.isEmpty());
    }

    void testWhitelistListsAndUserWhitelist()
    {
        QTemporaryDir dir;
        write(dir, QStringLiteral("adware.json"), onePattern());
        write(dir, QStringLiteral("whitelist.json"),
              R"({"whitelist": {"file_paths": ["%ProgramFiles%\\Good"], "process_names": ["good.exe"],
                 "patterns": ["adw-002"], "user_whitelist": ["adw-001"]}})");
        SignatureDatabase db;
        QVERIFY(db.load(dir.path()));
        QCOMPARE(db.whitelistFilePaths, QStringList{QStringLiteral("%ProgramFiles%\\Good")});
        QCOMPARE(db.whitelistProcessNames, QStringList{QStringLiteral("good.exe")});
        QCOMPARE(db.whitelistPatternIds, (QStringList{QStringLiteral("adw-002"), QStringLiteral("adw-001")}));
    }

    void testInvalidWhitelistGivesEmptyLists()
    {
        QTemporaryDir dir;
        write(dir, QStringLiteral("adware.json"), onePattern());
        write(dir, QStringLiteral("whitelist.json"), "\x01\x02 not json");
        SignatureDatabase db;
        QVERIFY(db.load(dir.path()));
        QVERIFY(db.loaded);
        QVERIFY(db.whitelistFilePaths.isEmpty());
        QVERIFY(db.whitelistProcessNames.isEmpty());
        QVERIFY(db.whitelistPatternIds.isEmpty());
    }

    void testBinaryFileIsRefused()
    {
        QTemporaryDir dir;
        QByteArray noise;
        for (int i = 0; i < 4096; ++i)
            noise.append(static_cast<char>((i * 131) & 0xFF));
        write(dir, QStringLiteral("adware.json"), noise);
        SignatureDatabase db;
        QVERIFY(!db.load(dir.path()));
    }

    void testProcessWideDatabaseIsOneObject()
    {
        QCOMPARE(&SignatureDatabase::instance(), &SignatureDatabase::instance());
    }

    void testShippedDatabaseLoadsAtLeastFortyCompleteSignatures()
    {
        SignatureDatabase db;
        QVERIFY(db.load(shippedFolder()));
        QVERIFY(db.loaded);
        QVERIFY(!db.version.isEmpty());
        QVERIFY(db.patterns.size() >= 40);
        QSet<QString> ids;
        for (const AdwarePattern& p : db.patterns) {
            QVERIFY2(!p.id.isEmpty() && !ids.contains(p.id), qPrintable(p.id));
            ids.insert(p.id);
            QVERIFY2(!p.name.isEmpty() && !p.nameCn.isEmpty() && !p.description.isEmpty() && !p.removalNotes.isEmpty(),
                     qPrintable(p.id));
            QVERIFY2(QStringList({QStringLiteral("high"), QStringLiteral("medium"), QStringLiteral("low")}).contains(p.riskLevel),
                     qPrintable(p.id));
            QVERIFY2(!p.uninstallKeys.isEmpty() && !p.processNames.isEmpty() && !p.filePaths.isEmpty(), qPrintable(p.id));
            const QStringList all = p.uninstallKeys + p.processNames + p.serviceNames + p.startupNames + p.filePaths;
            for (const QString& entry : all)
                QVERIFY2(entry.trimmed().size() >= 2, qPrintable(p.id + QStringLiteral(": ") + entry));
        }
    }
};

QTEST_GUILESS_MAIN(TestSignatureDatabase)
#include "TestSignatureDatabase.moc"
