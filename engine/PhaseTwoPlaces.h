#pragma once

#include <QByteArray>
#include <QString>

// The places of the machine that phase-2 items change, as data: the items that change them and the undo that
// puts them back both stand on this one table, so neither has to reach into the other.
namespace PhaseTwoPlaces {

// The policy Run key, under HKLM and under HKCU. Its entries have no approved value; they are switched off by
// moving them to the program's own backup key, one subkey per hive, which Windows never runs.
constexpr wchar_t kPolicyRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";
constexpr char kPolicyRunBackupKey[] = "SOFTWARE\\Tidewell\\PolicyRunBackup\\";

// The scheduled-task folder whose tasks the disk-diagnostic item switches off.
constexpr wchar_t kDiskDiagnosticFolder[] = L"\\Microsoft\\Windows\\DiskDiagnostic";

// The service an item id stands for among the services set to start on demand, or empty.
QString manualStartServiceOf(const QString& id);
// Whether `service` is one of the services set to start on demand.
bool isManualStartService(const QString& service);

// The event logs whose size is limited.
constexpr const char* kLimitedEventLogs[] = {"Application", "System", "Security"};
// Whether `name` is one of them.
bool isLimitedEventLog(const QString& name);
// The "maxSize:" of what `wevtutil gl` printed; -1 when there is none.
qint64 eventLogMaxSizeOf(const QByteArray& output);

} // namespace PhaseTwoPlaces
