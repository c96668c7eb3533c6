#pragma once

#include <QString>

class QWidget;

namespace platform {
struct Platform;
}

// The questions asked when the user ticks "H2" (how many restore points to keep) or "A2" (the event-log
// size). The answers are kept by the window and used by every later execution; cancelling keeps the last
// answer. The restore points are counted with the same listing the clean-up uses.
class SpecialConfirmation {
public:
    SpecialConfirmation(QWidget* window, platform::Platform& machine);

    // Any other item id asks nothing.
    void ask(const QString& itemId, int& h2KeepN, int& a2SizeMB);

private:
    void askRestorePoints(int& h2KeepN);
    void askEventLogSize(int& a2SizeMB);

    QWidget* window;
    platform::Platform& machine;
};
