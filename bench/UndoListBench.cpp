#include "engine/undo/ChangeRecordFolder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

// tidewell-bench-undolist FOLDER DEVICE MACHINE: lists the change records of FOLDER that belong to the stick
// DEVICE on the PC MACHINE, as the undo dialog does, then reads the newest of them whole, as undoing it does;
// prints how many were listed, how many changes the newest holds, and the times. Its peak memory is the
// figure that matters: junk files in the folder must never be read whole.
int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 4) {
        out << "usage: tidewell-bench-undolist FOLDER DEVICE MACHINE\n";
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    const QVector<ChangeRecord> records = ChangeRecordFolder::records(arguments[1], arguments[2], arguments[3]);
    const qint64 listedMs = timer.restart();
    ChangeRecord newest;
    QString problem;
    if (!records.isEmpty())
        ChangeRecord::read(records.first().path, newest, problem);
    out << "listed=" << records.size() << " changes=" << newest.changes.size() << " list_ms=" << listedMs
        << " read_ms=" << timer.elapsed() << "\n";
    return records.isEmpty() ? 1 : 0;
}
