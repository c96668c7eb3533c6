#include "log/RunLogger.h"
#include "support/TestMachine.h"
#include "ui/dialogs/DialogRunner.h"
#include "ui/main/Optimizer.h"
#include "ui/progress/ProgressPage.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int kRunTimeoutMs = 60000;

} // namespace

// The program folder on a location nothing can be written to: here below a regular file, where no folder or
// file can be created, as root too (a read-only mount needs privileges a test does not have, and chmod does
// not stop root). The window starts, runs phase 1 twice, asks for the agreement before each run because the
// flag cannot be kept, and writes no run log.
class TestReadOnlyStick : public QObject {
    Q_OBJECT

private slots:
    void testRunsWithoutLogAndAsksEveryTime()
    {
        QTemporaryDir dir;
        QFile blocker(dir.path() + QStringLiteral("/stick"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString appDir = dir.path() + QStringLiteral("/stick/Tidewell/app");
        TestMachine machine;
        platform::setCurrent(&machine.platform());
        RunLogger::instance().initialize(appDir, QString(), machine.platform());
        QVERIFY(!RunLogger::instance().file || !RunLogger::instance().file->isOpen());

        Optimizer window(QStringList(), appDir);
        window.show();
        int asked = 0;
        for (int run = 1; run <= 2; ++run) {
            DialogRunner::setNextAnswer([&asked](QDialog& dialog) {
                ++asked;
                dialog.findChild<QPushButton*>(QStringLiteral("agreeBtn"))->click();
            });
            window.findChild<QPushButton*>(QStringLiteral("startBtn"))->click();
            QCOMPARE(asked, run);
            QVERIFY(window.phase1Thread());
            QTRY_VERIFY_WITH_TIMEOUT(!window.phase1Thread(), kRunTimeoutMs);
            QTRY_VERIFY_WITH_TIMEOUT(window.findChild<ProgressPage*>()->isHidden(), kRunTimeoutMs);
        }
        RunLogger::instance().log(QStringLiteral("after the runs"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"stick"});
        QCOMPARE(blocker.size(), 0);
        platform::setCurrent(nullptr);
    }
};

QTEST_MAIN(TestReadOnlyStick)
#include "TestReadOnlyStick.moc"
