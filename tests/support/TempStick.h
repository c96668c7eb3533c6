#pragma once

#include <QString>
#include <QTemporaryDir>

// A temporary copy of the stick's layout: <root>/Tidewell/app is the application directory, so that
// config/ lies beside it and the agreement flag two levels above it.
class TempStick {
public:
    TempStick();

    QString root() const { return dir_.path(); }
    QString appDir() const { return dir_.path() + QStringLiteral("/Tidewell/app"); }
    QString configDir() const { return dir_.path() + QStringLiteral("/Tidewell/config"); }
    QString logsDir() const { return appDir() + QStringLiteral("/logs"); }

    void writeFile(const QString& relativeToApp, const QByteArray& bytes) const;
    QByteArray readFile(const QString& relativeToApp) const;

private:
    QTemporaryDir dir_;
};
