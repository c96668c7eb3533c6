#pragma once

#include "ui/dialogs/ThemedMessage.h"

#include <QStringList>

class QButtonGroup;
class QLabel;
class QPushButton;

// A themed question that asks for one value, with "确定" (the default, so Enter takes the value) and "取消".
// A whole number is chosen with "−" and "+" around it, one choice of a short fixed list by pressing it:
// large targets and no drop-down, drawn entirely by the theme's sheet.
class ThemedInput : public ThemedMessage {
    Q_OBJECT

public:
    ThemedInput(QWidget* parent, int themeIndex, const QString& title, const QString& label);

    // Asks for a number from `minimum` to `maximum`, starting at `value`. Call once.
    void setIntRange(int minimum, int maximum, int value);
    int intValue() const { return number; }
    // Clamped to the range.
    void setIntValue(int value);

    // Asks for one of `choices`, starting at `current`. Call once.
    void setChoices(const QStringList& choices, const QString& current);
    QStringList choices() const { return choiceTexts; }
    QString choice() const;
    // A text that is not among the choices changes nothing.
    void setChoice(const QString& text);

    bool asksForNumber() const { return numberLabel != nullptr; }

private:
    int minimum = 0;
    int maximum = 0;
    int number = 0;
    QLabel* numberLabel = nullptr;
    QPushButton* lessBtn = nullptr;
    QPushButton* moreBtn = nullptr;
    QStringList choiceTexts;
    QButtonGroup* choiceGroup = nullptr;
};
