#pragma once

#include "platform/Platform.h"
#include "startup/ApprovedStartup.h"
#include "startup/StartupEntry.h"

#include <QList>
#include <QObject>
#include <QStringList>

// Lists the programs Windows starts at log-on (the Run and RunOnce keys, the user's and the common start-up
// folder) and switches entries off and on through the approved-start-up values, the mechanism of Windows'
// own start-up manager, so that nothing is deleted and the user can switch an entry on again there. Entries
// an older version disabled by renaming them with ".optimizer_bak" are brought back under their names and
// switched off the new way. Windows 7 has no approved values: there nothing is changed and nothing migrated.
class StartupManager : public QObject {
public:
    // What switching one entry came to: switched, already in the wanted state, not listed by the last scan,
    // the write failed, a RunOnce entry (approvals do not govern it), or Windows 7.
    enum class Outcome { Changed, AlreadySo, NotFound, Failed, RunsOnce, Unsupported };

    explicit StartupManager(platform::Platform& machine = platform::current());

    // Appends the names of well-known software that can safely be kept from starting.
    void fillKnownSafeNames();

    // Rebuilds `entries` from the machine and returns a copy. Keys are opened for reading only.
    QList<StartupEntry> scan();

    // Switches off the listed entry of `source` named `name`; a folder entry also answers to its name
    // without the extension ("Foo" for "Foo.lnk"), the form earlier versions of the analysis gave, when no
    // entry has exactly that name.
    Outcome disable(const QString& source, const QString& name);
    Outcome restore(const QString& source, const QString& name);
    // The full name of the entry `name` reaches in `source` ("Foo.lnk" for "Foo"), or `name` when none.
    QString entryName(const QString& source, const QString& name);

    // False on Windows 7, which has no approved-start-up values.
    bool approvalsSupported() const { return approvalsSupported_; }

    // The FileDescription of the program a command line starts, or empty.
    QString fileDescription(const QString& command);

    QList<StartupEntry> entries;
    QStringList knownSafeNames;

private:
    void scanRunKey(const StartupSource& source);
    void scanFolder(const StartupSource& source);
    void migrateValue(const StartupSource& source, const QString& name);
    bool migrateFile(const StartupSource& source, const QString& folder, const QString& backupName, QString& name);
    StartupEntry folderEntry(const StartupSource& source, const QString& folder, const QString& fileName);
    bool isWellKnown(const QString& name, const QString& command) const;
    StartupEntry* find(const QString& source, const QString& name);
    Outcome switchEntry(const QString& source, const QString& name, bool enable);

    platform::Platform& machine_;
    ApprovedStartup approved_;
    bool approvalsSupported_ = true;
};
