#include "log/RunLogger.h"
#include "support/TempStick.h"
#include "support/TestMachine.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

#include <thread>
#include <vector>

class TestRunLogger : public QObject {
    Q_OBJECT

private:
    static QStringList lines(const QString& path)
    {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        QByteArray bytes = file.readAll();
        if (bytes.startsWith("\xEF\xBB\xBF"))
            bytes.remove(0, 3);
        QStringList result = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
        if (!result.isEmpty() && result.last().isEmpty())
            result.removeLast();
        return result;
    }

    static void makeOldLog(const QString& folder, const QString& name, int daysOld)
    {
        QFile file(folder + QLatin1Char('/') + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("old");
        file.flush();
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-daysOld), QFileDevice::FileModificationTime));
    }

private slots:
    void testHeaderStartsWithBomAndEightLines()
    {
        TempStick stick;
        TestMachine machine;
        RunLogger logger;
        logger.initialize(stick.appDir(), QString(), machine.platform());
        QFile file(logger.logFilePath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(3) == QByteArray("\xEF\xBB\xBF"));
        const QStringList header = lines(logger.logFilePath);
        QCOMPARE(header.size(), 8);
        QCOMPARE(header[0], QString(40, QLatin1Char('=')));
        QCOMPARE(header[1], QStringLiteral("系统优化工具日志"));
        QCOMPARE(header[2], QStringLiteral("设备ID: ") + logger.deviceId);
        QCOMPARE(header[3], QStringLiteral("程序版本: " TIDEWELL_VERSION));
        QCOMPARE(header[4], QStringLiteral("系统版本: Win10 (Build 19045)"));
        QVERIFY(QRegularExpression(QStringLiteral("^开始时间: \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$")).match(header[5]).hasMatch());
        QCOMPARE(header[6], QString(40, QLatin1Char('=')));
        QCOMPARE(header[7], QString());
    }

    void testFileNameCarriesDeviceIdAndStartTime()
    {
        TempStick stick;
        TestMachine machine;
        RunLogger logger;
        logger.initialize(stick.appDir(), QString(), machine.platform());
        QCOMPARE(logger.logDir, stick.appDir() + QStringLiteral("/logs"));
        const QString name = QFileInfo(logger.logFilePath).fileName();
        QVERIFY2(QRegularExpression(QStringLiteral("^log_[0-9a-f]{16}_\\d{8}_\\d{6}\\.txt$")).match(name).hasMatch(),
                 qPrintable(name));
        QVERIFY(name.contains(logger.deviceId));
    }

    void testBodyLinesAreTimeStampedAndUtf8()
    {
        TempStick stick;
        TestMachine machine;
        RunLogger logger;
        logger.initialize(stick.appDir(), QString(), machine.platform());
        logger.log(QStringLiteral("清理完成"));
        logger.log(QStringLiteral("first\nsecond"));
        const QStringList all = lines(logger.logFilePath);
        QCOMPARE(all.size(), 11);
        QVERIFY(QRegularExpression(QStringLiteral("^\\[\\d\\d:\\d\\d:\\d\\d\\] 清理完成$")).match(all[8]).hasMatch());
        QVERIFY(QRegularExpression(QStringLiteral("^\\[\\d\\d:\\d\\d:\\d\\d\\] first$")).match(all[9]).hasMatch());
        QCOMPARE(all[10], QStringLiteral("second"));
    }

    void testLogBeforeInitialisationIsDropped()
    {
        TempStick stick;
        TestMachine machine;
        RunLogger logger;
        logger.logDir = stick.logsDir();
        QDir().mkpath(logger.logDir);
        logger.log(QStringLiteral("nowhere"));
        logger.openLogFile(machine.platform());
        logger.log(QStringLiteral("too early"));
        QCOMPARE(lines(logger.logFilePath).size(), 8);
    }

    void testUnwritableLogFolderMakesEveryWriteANoOp()
    {
        TempStick stick;
        TestMachine machine;
        stick.writeFile(QStringLiteral("logs"), "a file where the folder should be");
        RunLogger logger;
        logger.initialize(stick.appDir(), QString(), machine.platform());
        QVERIFY(logger.initialized);
        QVERIFY(logger.file && !logger.file->isOpen());
        logger.log(QStringLiteral("dropped"));
        QCOMPARE(stick.readFile(QStringLiteral("logs")), QByteArray("a file where the folder should be"));
    }

    void testRetentionKeepsTheTenNewest_data()
    {
        QTest::addColumn<int>("older");
        QTest::addColumn<int>("expectedLeft");
        QTest::addRow("twelve older logs") << 12 << 10;
        QTest::addRow("nine older logs make exactly ten") << 9 << 10;
        QTest::addRow("three older logs") << 3 << 4;
    }

    void testRetentionKeepsTheTenNewest()
    {
        QFETCH(int, older);
        QFETCH(int, expectedLeft);
        TempStick stick;
        TestMachine machine;
        QDir().mkpath(stick.logsDir());
        for (int i = 1; i <= older; ++i)
            makeOldLog(stick.logsDir(), QStringLiteral("log_00000000000000%1_20250101_000000.txt").arg(i, 2, 10, QLatin1Char('0')), i);
        makeOldLog(stick.logsDir(), QStringLiteral("notes.txt"), 100);
        makeOldLog(stick.logsDir(), QStringLiteral("log_other.log"), 100);
        RunLogger logger;
        logger.initialize(stick.appDir(), QString(), machine.platform());
        const QStringList left = QDir(stick.logsDir()).entryList({QStringLiteral("log_*.txt")}, QDir::Files);
        QCOMPARE(left.size(), expectedLeft);
        QVERIFY(left.contains(QFileInfo(logger.logFilePath).fileName()));
        QVERIFY(left.contains(QStringLiteral("log_0000000000000001_20250101_000000.txt")));
        if (older == 12) {
            QVERIFY(!left.contains(QStringLiteral("log_0000000000000010_20250101_000000.txt")));
            QVERIFY(left.contains(QStringLiteral("log_0000000000000009_20250101_000000.txt")));
        }
        QVERIFY(QFile::exists(stick.logsDir() + QStringLiteral("/notes.txt")));
        QVERIFY(QFile::exists(stick.logsDir() + QStringLiteral("/log_other.log")));
    }

    void testSecondInitialisationChangesNothing()
    {
        TempStick stick;
        TestMachine machine;
        RunLogger logger;
        logger.initialize(stick.appDir(), QString(), machine.platform());
        const QString first = logger.logFilePath;
        logger.initialize(stick.appDir(), stick.root(), machine.platform());
        QCOMPARE(logger.logFilePath, first);
    }

    void testThreadsWriteWholeLines()
    {
        TempStick stick;
        TestMachine machine;
        RunLogger& logger = RunLogger::instance();
        logger.initialize(stick.appDir(), QString(), machine.platform());
        constexpr int threads = 4;
        constexpr int perThread = 250;
        std::vector<std::thread> workers;
        for (int t = 0; t < threads; ++t) {
            workers.emplace_back([t] {
                for (int i = 0; i < perThread; ++i)
                    engineLog(QStringLiteral("thread %1 line %2 %3").arg(t).arg(i).arg(QString(40, QLatin1Char('x'))));
            });
        }
        for (auto& worker : workers)
            worker.join();
        const QStringList body = lines(logger.logFilePath).mid(8);
        QCOMPARE(body.size(), threads * perThread);
        const QRegularExpression whole(QStringLiteral("^\\[\\d\\d:\\d\\d:\\d\\d\\] \\[引擎\\] thread \\d line \\d+ x{40}$"));
        for (const QString& line : body)
            QVERIFY2(whole.match(line).hasMatch(), qPrintable(line));
    }
};

QTEST_GUILESS_MAIN(TestRunLogger)
#include "TestRunLogger.moc"
