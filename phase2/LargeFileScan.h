#pragma once

#include "phase2/ItemResult.h"
#include "platform/Platform.h"

#include <QString>
#include <QStringList>

// Item "H3": lists up to 15 files above 100 MB on the system drive, visiting at most 40000 files; it
// deletes nothing, skips hidden and system files and folders and never enters a link. When the file limit ends the
// walk, the line says that only part of the drive was scanned.
class LargeFileScan {
public:
    explicit LargeFileScan(platform::Platform& machine);
    ItemResult run();

    static constexpr int kFileLimit = 40000;
    static constexpr int kLineLimit = 15;
    static constexpr quint64 kLargeBytes = 104857600;

private:
    void walk(const std::wstring& folder);

    platform::Platform& machine_;
    int visited_ = 0;
    bool partial_ = false;
    QStringList lines_;
};
