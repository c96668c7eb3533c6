#include "analysis/StartupScoring.h"

#include <QtTest>

// The pure rules of start-up scoring.
class TestStartupScoring : public QObject {
    Q_OBJECT

private:
    static SignatureDatabase database()
    {
        SignatureDatabase db;
        AdwarePattern pattern;
        pattern.id = QStringLiteral("adw-1");
        pattern.startupNames = QStringList{QStringLiteral("2345Safe")};
        pattern.processNames = QStringList{QStringLiteral("FlashHelper")};
        db.patterns.append(pattern);
        db.loaded = true;
        return db;
    }

private slots:
    void testLocation_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("isSigned");
        QTest::addColumn<bool>("normal");
        QTest::addRow("program files") << QStringLiteral("E:\\Program Files\\a.exe") << false << true;
        QTest::addRow("windows folder") << QStringLiteral("E:\\Windows\\a.exe") << false << true;
        QTest::addRow("root of c") << QStringLiteral("C:\\Users\\x\\a.exe") << false << true;
        QTest::addRow("root of d in capitals") << QStringLiteral("D:\\GAMES\\a.exe") << false << true;
        QTest::addRow("temp folder even signed") << QStringLiteral("C:\\Windows\\Temp\\a.exe") << true << false;
        QTest::addRow("local temp") << QStringLiteral("E:\\x\\AppData\\Local\\Temp\\a.exe") << false << false;
        QTest::addRow("unexpanded temp") << QStringLiteral("%TEMP%\\a.exe") << false << false;
        QTest::addRow("other drive unsigned") << QStringLiteral("E:\\Apps\\a.exe") << false << false;
        QTest::addRow("other drive signed") << QStringLiteral("E:\\Apps\\a.exe") << true << true;
        QTest::addRow("not a path") << QStringLiteral("计划任务") << false << false;
    }

    void testLocation()
    {
        QFETCH(QString, path);
        QFETCH(bool, isSigned);
        QFETCH(bool, normal);
        QCOMPARE(StartupScoring::isNormalLocation(path, isSigned), normal);
    }

    void testGrade_data()
    {
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("clamped");
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("label");
        QTest::addRow("100") << 100 << 100 << 0 << QStringLiteral("🟢 安全");
        QTest::addRow("80") << 80 << 80 << 0 << QStringLiteral("🟢 安全");
        QTest::addRow("79") << 79 << 79 << 1 << QStringLiteral("🟡 可疑");
        QTest::addRow("50") << 50 << 50 << 1 << QStringLiteral("🟡 可疑");
        QTest::addRow("49") << 49 << 49 << 2 << QStringLiteral("🔴 高风险");
        QTest::addRow("above 100") << 135 << 100 << 0 << QStringLiteral("🟢 安全");
        QTest::addRow("below 0") << -5 << 0 << 2 << QStringLiteral("🔴 高风险");
    }

    void testGrade()
    {
        QFETCH(int, score);
        QFETCH(int, clamped);
        QFETCH(int, level);
        QFETCH(QString, label);
        StartupScanItem item;
        item.score = score;
        StartupScoring::grade(item);
        QCOMPARE(item.score, clamped);
        QCOMPARE(item.riskLevel, level);
        QCOMPARE(item.riskLabel, label);
    }

    void testOnlyRunKeysAndFoldersCanBeDisabled()
    {
        for (int source = 0; source <= 14; ++source) {
            const bool expected = (source >= 1 && source <= 6) || source == 10 || source == 11;
            QCOMPARE(StartupScoring::canDisable(source), expected);
        }
    }

    void testJunkNameMatchesStartupAndProcessNamesInAnyCase()
    {
        const SignatureDatabase db = database();
        QVERIFY(StartupScoring::isJunkName(QStringLiteral("my2345SAFEcenter"), db));
        QVERIFY(StartupScoring::isJunkName(QStringLiteral("flashhelperservice"), db));
        QVERIFY(!StartupScoring::isJunkName(QStringLiteral("OneDrive"), db));
    }

    void testUnloadedDatabaseKnowsNoJunkName()
    {
        SignatureDatabase db = database();
        db.loaded = false;
        QVERIFY(!StartupScoring::isJunkName(QStringLiteral("2345Safe"), db));
    }
};

QTEST_GUILESS_MAIN(TestStartupScoring)
#include "TestStartupScoring.moc"
