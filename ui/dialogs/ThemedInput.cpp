#include "ui/dialogs/ThemedInput.h"

#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>

ThemedInput::ThemedInput(QWidget* parent, int themeIndex, const QString& title, const QString& label)
    : ThemedMessage(parent, themeIndex, Question, title, label)
{
    setObjectName(QStringLiteral("themedInput"));
    setButtons(QStringLiteral("确定"), QStringLiteral("取消"));
    acceptButton()->setDefault(true);
    rejectButton()->setDefault(false);
}

void ThemedInput::setIntRange(int minimum, int maximum, int value)
{
    if (!numberBox) {
        numberBox = new QSpinBox(this);
        numberBox->setObjectName(QStringLiteral("inputNumber"));
        addField(numberBox);
    }
    numberBox->setRange(minimum, maximum);
    numberBox->setValue(value);
    numberBox->setFocus();
}

int ThemedInput::intValue() const
{
    return numberBox ? numberBox->value() : 0;
}

void ThemedInput::setIntValue(int value)
{
    if (numberBox)
        numberBox->setValue(value);
}

void ThemedInput::setChoices(const QStringList& choices, const QString& current)
{
    if (!choiceBox) {
        choiceBox = new QComboBox(this);
        choiceBox->setObjectName(QStringLiteral("inputChoice"));
        addField(choiceBox);
    }
    choiceTexts = choices;
    choiceBox->clear();
    choiceBox->addItems(choices);
    setChoice(current);
    choiceBox->setFocus();
}

QString ThemedInput::choice() const
{
    return choiceBox ? choiceBox->currentText() : QString();
}

void ThemedInput::setChoice(const QString& text)
{
    const int index = choiceBox ? choiceBox->findText(text) : -1;
    if (index >= 0)
        choiceBox->setCurrentIndex(index);
}
