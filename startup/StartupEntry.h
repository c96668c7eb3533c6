#pragma once

#include <QString>

// One program Windows starts at log-on, as the start-up manager lists it.
struct StartupEntry {
    QString name;        // the value name, or the file name with its extension ("Foo.lnk") for a folder file
    QString displayName; // the program's file description when it has one, else `name`
    QString command;     // the value's data, or the file path (a shortcut's target when it resolves)
    QString source;      // "HKCU_Run", "StartupFolder_User", ... (StartupSource)
    QString location;    // the registry path of the source, or the file path
    bool recommended = false;
    bool disabled = false;
};
