#pragma once

#include <QDateTime>
#include <QIODevice>
#include <QJsonObject>
#include <QString>
#include <QVector>

// The record of one run's changes, kept beside the run logs so that the run can be undone: a first line that
// says whose run it was, then one line per change with the state before it, in the order the changes were
// made. Each line is a JSON object of its own, written and flushed as the change happens, so a run that is
// cut off leaves every line but perhaps a broken last one.
struct ChangeRecord {
    static constexpr char kFormat[] = "tidewell-changes";
    // Version 2 writes a moved value as one change; version 1 wrote the copy and the deletion as two.
    static constexpr int kVersion = 2;
    static constexpr int kFirstVersion = 1;
    static constexpr char kPhaseOne[] = "phase1";
    static constexpr char kPhaseTwo[] = "phase2";

    // The first line.
    struct Header {
        QString device;  // the stick's identifier
        QString machine; // the PC's identifier
        QString run;     // kPhaseOne or kPhaseTwo
        QDateTime started;
        int version = kVersion;
        QJsonObject toJson() const;
        static bool fromJson(const QJsonObject& object, Header& header);
    };

    QString path;
    QString stamp; // the run's time stamp as the file name carries it
    Header header;
    QVector<QJsonObject> changes;
    int unreadableLines = 0;
    int changeLines = 0; // the lines after the header, whether they can be read or not
    QDateTime restoredAt; // when undo last put the whole record back; invalid when it never did

    // Reads a record one line at a time. False, with the reason, when the file cannot be read, is too large,
    // or its first line is not a record header; lines after it that are not JSON objects, or are longer than
    // kMaxLineBytes, are counted in unreadableLines.
    static bool read(const QString& path, ChangeRecord& record, QString& problem);
    static bool parse(const QByteArray& bytes, ChangeRecord& record, QString& problem);
    // Reads the header line alone and counts the lines after it, without keeping any of them.
    static bool readHeader(const QString& path, ChangeRecord& record, QString& problem);

    static constexpr qint64 kMaxBytes = 16 * 1024 * 1024;
    static constexpr int kMaxLineBytes = 4 * 1024 * 1024;
    static constexpr int kMaxHeaderBytes = 4096;
    // A value's bytes are written as hexadecimal, with room left on the line for two long value names.
    static constexpr int kMaxValueBytes = kMaxLineBytes / 2 - 256 * 1024;

private:
    static bool readFile(const QString& path, ChangeRecord& record, QString& problem, bool keepChanges);
    static bool readFrom(QIODevice& device, ChangeRecord& record, QString& problem, bool keepChanges);
};
