#include "ui/main/WorkerThreadStop.h"

#include <QPointer>
#include <QSemaphore>
#include <QThread>
#include <QtTest>

class TestWorkerThreadStop : public QObject {
    Q_OBJECT

private slots:
    void testIdleThreadIsStoppedAndReleased()
    {
        QObject owner;
        auto* thread = new QThread(&owner);
        thread->start();
        QPointer<QThread> watched = thread;
        stopWorkerThread(thread);
        QVERIFY(watched);
        QVERIFY(watched->isFinished());
        QTRY_VERIFY(watched.isNull());
    }

    // A worker still busy after the wait must not be destroyed while it runs (that aborts the program): it is
    // detached from its owner and goes away by itself once it ends.
    void testBusyThreadIsDetachedAndDeletesItselfWhenDone()
    {
        QSemaphore release;
        auto owner = std::make_unique<QObject>();
        QThread* thread = QThread::create([&release] { release.acquire(); });
        thread->setParent(owner.get());
        thread->start();
        QPointer<QThread> watched = thread;
        stopWorkerThread(thread);
        QVERIFY(watched);
        QVERIFY(watched->isRunning());
        QVERIFY(watched->parent() == nullptr);
        owner.reset();
        QVERIFY(watched);
        release.release();
        QTRY_VERIFY_WITH_TIMEOUT(watched.isNull(), 30000);
    }

    void testNoThreadIsNothingToStop()
    {
        stopWorkerThread(nullptr);
        QCOMPARE(kWorkerStopWaitMs, 3000ul);
    }
};

QTEST_MAIN(TestWorkerThreadStop)
#include "TestWorkerThreadStop.moc"
