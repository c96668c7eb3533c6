#pragma once

#include <QByteArray>
#include <QIODevice>

// The lines of a change record, read one at a time so that a file of any size, or a line of any length,
// never has to be held whole: a line longer than the caller's limit is read past, not kept.
class RecordLines
{
public:
    explicit RecordLines(QIODevice& device);

    // False at the end of the file. `line` comes without its line break; `tooLong` says that the line was
    // longer than `maxBytes` and `line` is empty.
    bool next(int maxBytes, QByteArray& line, bool& tooLong);

private:
    QIODevice& device_;
};
