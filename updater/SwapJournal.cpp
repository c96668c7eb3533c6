#include "updater/SwapJournal.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace
{

struct StepName {
    SwapJournal::Step step;
    const char* name;
};

constexpr StepName kNames[] = {
    {SwapJournal::Step::MoveData, "move-data"}, {SwapJournal::Step::KeepBackup, "keep-backup"},
    {SwapJournal::Step::Retire, "retire"},      {SwapJournal::Step::Install, "install"},
    {SwapJournal::Step::Launch, "launch"},      {SwapJournal::Step::RollBack, "roll-back"},
};

constexpr qint64 kMaxBytes = 4096;

} // namespace

SwapJournal::SwapJournal(const QString& path) : path_(path) {}

SwapJournal::Step SwapJournal::read() const
{
    QFile file(path_);
    if (!file.exists())
        return Step::None;
    if (!file.open(QIODevice::ReadOnly))
        return Step::RollBack;
    const QString name =
        QJsonDocument::fromJson(file.read(kMaxBytes)).object().value(QStringLiteral("step")).toString();
    for (const StepName& entry : kNames) {
        if (name == QLatin1String(entry.name))
            return entry.step;
    }
    return Step::RollBack;
}

bool SwapJournal::write(Step step) const
{
    QJsonObject object;
    for (const StepName& entry : kNames) {
        if (entry.step == step)
            object.insert(QStringLiteral("step"), QLatin1String(entry.name));
    }
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(object).toJson(QJsonDocument::Compact));
    return file.commit();
}

bool SwapJournal::clear() const
{
    return !QFile::exists(path_) || QFile::remove(path_);
}
