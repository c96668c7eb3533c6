#include "engine/undo/RecordLines.h"

namespace
{

// Lines are read in pieces of this size, so that a limit of several megabytes costs nothing for short lines.
constexpr qint64 kPiece = 64 * 1024;

} // namespace

RecordLines::RecordLines(QIODevice& device) : device_(device) {}

bool RecordLines::next(int maxBytes, QByteArray& line, bool& tooLong)
{
    tooLong = false;
    line.clear();
    if (device_.atEnd())
        return false;
    while (!device_.atEnd()) {
        const QByteArray piece = device_.readLine(kPiece);
        // A read error ends the file, as far as the record goes.
        if (piece.isEmpty() && line.isEmpty() && !tooLong)
            return false;
        if (piece.isEmpty())
            break;
        if (!tooLong)
            line += piece;
        // The line break itself does not count against the limit.
        if (line.size() > maxBytes + 1) {
            tooLong = true;
            line.clear();
        }
        if (piece.endsWith('\n'))
            break;
    }
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.size() > maxBytes) {
        tooLong = true;
        line.clear();
    }
    return true;
}
