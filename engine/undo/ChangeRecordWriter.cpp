#include "engine/undo/ChangeRecordWriter.h"

#include "engine/undo/ChangeRecordFolder.h"

#include <QDir>
#include <QJsonDocument>
#include <QMutexLocker>

ChangeRecordWriter::ChangeRecordWriter(const QString& folder, const ChangeRecord::Header& header)
    : folder_(folder), header_(header)
{
}

void ChangeRecordWriter::append(const QJsonObject& change)
{
    QMutexLocker lock(&mutex_);
    if (failed_ || (!file_.isOpen() && !open()))
        return;
    if (writeLine(change))
        ++count_;
    else
        failed_ = true;
}

bool ChangeRecordWriter::open()
{
    const QString path = folder_.isEmpty() ? QString() : ChangeRecordFolder::newRecordPath(folder_, header_);
    file_.setFileName(path);
    // NewOnly: two runs in the same second never share a file.
    if (path.isEmpty() || !QDir().mkpath(folder_) || !file_.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
        !writeLine(header_.toJson())) {
        failed_ = true;
        return false;
    }
    return true;
}

bool ChangeRecordWriter::writeLine(const QJsonObject& object)
{
    const QByteArray line = QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
    return file_.write(line) == line.size() && file_.flush();
}
