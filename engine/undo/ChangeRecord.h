#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QVector>

// The record of one run's changes, kept beside the run logs so that the run can be undone: a first line that
// says whose run it was, then one line per change with the state before it, in the order the changes were
// made. Each line is a JSON object of its own, written and flushed as the change happens, so a run that is
// cut off leaves every line but perhaps a broken last one.
struct ChangeRecord {
    static constexpr char kFormat[] = "tidewell-changes";
    static constexpr int kVersion = 1;
    static constexpr char kPhaseOne[] = "phase1";
    static constexpr char kPhaseTwo[] = "phase2";

    // The first line.
    struct Header {
        QString device;  // the stick's identifier
        QString machine; // the PC's identifier
        QString run;     // kPhaseOne or kPhaseTwo
        QDateTime started;
        QJsonObject toJson() const;
        static bool fromJson(const QJsonObject& object, Header& header);
    };

    QString path;
    QString stamp; // the run's time stamp as the file name carries it
    Header header;
    QVector<QJsonObject> changes;
    int unreadableLines = 0;

    // Reads a record. False, with the reason, when the file cannot be read, is too large, or its first line is
    // not a record header; lines after it that are not JSON objects are counted in unreadableLines.
    static bool read(const QString& path, ChangeRecord& record, QString& problem);
    static bool parse(const QByteArray& bytes, ChangeRecord& record, QString& problem);

    static constexpr qint64 kMaxBytes = 16 * 1024 * 1024;
    static constexpr int kMaxLineBytes = 256 * 1024;
};
