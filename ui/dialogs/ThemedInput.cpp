#include "ui/dialogs/ThemedInput.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

QPushButton* fieldButton(QWidget* parent, const char* name, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setCursor(Qt::PointingHandCursor);
    button->setMinimumHeight(36);
    button->setAutoDefault(false);
    return button;
}

} // namespace

ThemedInput::ThemedInput(QWidget* parent, int themeIndex, const QString& title, const QString& label)
    : ThemedMessage(parent, themeIndex, Question, title, label)
{
    setObjectName(QStringLiteral("themedInput"));
    setButtons(QStringLiteral("确定"), QStringLiteral("取消"));
    acceptButton()->setDefault(true);
    rejectButton()->setDefault(false);
}

void ThemedInput::setIntRange(int low, int high, int value)
{
    minimum = low;
    maximum = high;
    auto* field = new QWidget(this);
    lessBtn = fieldButton(field, "inputLess", QStringLiteral("−"));
    moreBtn = fieldButton(field, "inputMore", QStringLiteral("+"));
    numberLabel = new QLabel(field);
    numberLabel->setObjectName(QStringLiteral("inputNumber"));
    numberLabel->setAlignment(Qt::AlignCenter);
    numberLabel->setMinimumWidth(64);
    connect(lessBtn, &QPushButton::clicked, this, [this] { setIntValue(number - 1); });
    connect(moreBtn, &QPushButton::clicked, this, [this] { setIntValue(number + 1); });
    auto* layout = new QHBoxLayout(field);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lessBtn);
    layout->addWidget(numberLabel);
    layout->addWidget(moreBtn);
    layout->addStretch();
    addField(field);
    setIntValue(value);
}

void ThemedInput::setIntValue(int value)
{
    if (!numberLabel)
        return;
    number = std::clamp(value, minimum, maximum);
    numberLabel->setText(QString::number(number));
    lessBtn->setEnabled(number > minimum);
    moreBtn->setEnabled(number < maximum);
}

void ThemedInput::setChoices(const QStringList& choices, const QString& current)
{
    choiceTexts = choices;
    auto* field = new QWidget(this);
    choiceGroup = new QButtonGroup(this);
    auto* layout = new QHBoxLayout(field);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    for (const QString& text : choices) {
        QPushButton* button = fieldButton(field, "inputChoice", text);
        button->setCheckable(true);
        choiceGroup->addButton(button);
        layout->addWidget(button);
    }
    addField(field);
    setChoice(current);
}

QString ThemedInput::choice() const
{
    QAbstractButton* checked = choiceGroup ? choiceGroup->checkedButton() : nullptr;
    return checked ? checked->text() : QString();
}

void ThemedInput::setChoice(const QString& text)
{
    if (!choiceGroup)
        return;
    for (QAbstractButton* button : choiceGroup->buttons()) {
        if (button->text() == text)
            button->setChecked(true);
    }
}
