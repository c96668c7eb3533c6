#pragma once

#include <QString>
#include <QStringList>

// The folders an update moves around, all beside the program folder so that every move is a rename on the
// same drive: the program folder itself (<parent>/app), the new version being assembled (app.staging), the
// version before the last update (app.backup), the backup before that while a swap is under way
// (app.backup.old), the swap's journal (app.update.json) and the marker the new program writes once its
// window is up (app.started).
class StickLayout
{
public:
    explicit StickLayout(const QString& programFolder);

    // The layout `folder` belongs to: its own, or, for a backup or staging folder beside a swap's journal,
    // that of the program folder the swap is about. An updater started from app.backup while no app folder
    // exists (a cut between two renames of a swap) thus still finds the swap and can finish it.
    static StickLayout of(const QString& folder);

    // The folders of the user's own data that live inside the program folder on some sticks. They are never
    // part of a version: a swap carries them into the new folder by renaming them, never by copying.
    static const QStringList& dataFolders();

    // True when `relativePath` lies in one of the data folders.
    static bool isInDataFolder(const QString& relativePath);

    QString program() const { return program_; }
    QString staging() const { return program_ + QStringLiteral(".staging"); }
    QString backup() const { return program_ + QStringLiteral(".backup"); }
    QString oldBackup() const { return program_ + QStringLiteral(".backup.old"); }
    QString journal() const { return program_ + QStringLiteral(".update.json"); }
    QString startedMarker() const { return program_ + QStringLiteral(".started"); }

private:
    QString program_;
};
