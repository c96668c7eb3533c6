#pragma once

#include <QString>

class QWidget;

// The end-user agreement in front of the optimisation: passes at once when the flag file two folder levels
// above the program exists, otherwise asks with the agreement dialog every time until it is accepted.
class AgreementGate {
public:
    explicit AgreementGate(const QString& appDir);

    QString flagPath() const { return flagPath_; }

    // True when phase 1 may start.
    bool pass(QWidget* parent) const;

private:
    QString flagPath_;
};
