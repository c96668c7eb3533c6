#pragma once

#include "ui/dialogs/ThemedMessage.h"

#include <QStringList>

class QComboBox;
class QSpinBox;

// A themed question that asks for one value: a whole number in a range or one choice of a fixed list, with
// "确定" (the default, so Enter takes the value) and "取消".
class ThemedInput : public ThemedMessage {
    Q_OBJECT

public:
    ThemedInput(QWidget* parent, int themeIndex, const QString& title, const QString& label);

    void setIntRange(int minimum, int maximum, int value);
    int intValue() const;
    void setIntValue(int value);

    void setChoices(const QStringList& choices, const QString& current);
    QStringList choices() const { return choiceTexts; }
    QString choice() const;
    void setChoice(const QString& text);

    bool asksForNumber() const { return numberBox != nullptr; }

private:
    QSpinBox* numberBox = nullptr;
    QComboBox* choiceBox = nullptr;
    QStringList choiceTexts;
};
