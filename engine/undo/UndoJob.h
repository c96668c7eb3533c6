#pragma once

#include "engine/undo/ChangeRecord.h"
#include "platform/Platform.h"

#include <QObject>
#include <QStringList>
#include <QVector>

// The window's undo work, on a worker thread: lists this PC's change records (newest first) from their header
// lines and puts one of them back, read whole only then, reporting each result line as it is made. On a PC
// without a readable identifier the list is empty and one line says why.
class UndoJob : public QObject
{
    Q_OBJECT

public:
    // `recordFolder` is where the records are; `device` is the stick's identifier.
    UndoJob(platform::Platform& machine, const QString& recordFolder, const QString& device);

    // "2026-12-09 01:30:00   一键优化   56 项更改" for a record, followed by "   已于 12-09 02:00 撤销" once it
    // was undone in full.
    static QString titleOf(const ChangeRecord& record);

public slots:
    void list();
    void restore(int index);

signals:
    void listed(const QStringList& titles);
    void lineReady(const QString& line);
    // The record at `index` was undone in full and is now listed as `title`.
    void retitled(int index, const QString& title);
    void restored(int restoredCount, int alreadySoCount, int failedCount);

private:
    platform::Platform& machine_;
    const QString folder_;
    const QString device_;
    QString pc_;
    QVector<ChangeRecord> records_;
};
