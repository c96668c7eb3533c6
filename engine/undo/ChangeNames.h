#pragma once

#include "platform/Platform.h"

#include <QHash>
#include <QJsonObject>
#include <QStringList>
#include <QVector>

// What undo calls each change of a record, in the words the optimisation used: a setting by its name in the
// table it was made from, a start-up entry by its own name, a service by the name Windows shows for it, a task
// by its name. The changes made to one thing (a value and the key made to hold it, a service's start type and
// its stopping) get one name, so that undo reports each thing once.
class ChangeNames
{
public:
    explicit ChangeNames(platform::Platform& machine);

    // One name per change, in the record's order.
    QStringList of(const QVector<QJsonObject>& changes);

private:
    QString nameOf(const QJsonObject& change);
    QString serviceName(const QString& service);

    platform::Platform& machine_;
    QHash<QString, QString> services_;
};
