#pragma once

#include <QString>

// What one phase-2 item reports: the line the user reads and what the item itself says it did. An item that
// changed part of what it was asked and failed at the rest reports Failed, so that a caller counting failures
// never hides one behind a partial change.
struct ItemResult {
    enum class Outcome { Changed, Unchanged, Failed };

    Outcome outcome = Outcome::Unchanged;
    QString line;

    static ItemResult changed(const QString& line) { return {Outcome::Changed, line}; }
    static ItemResult unchanged(const QString& line) { return {Outcome::Unchanged, line}; }
    static ItemResult failed(const QString& line) { return {Outcome::Failed, line}; }
};
