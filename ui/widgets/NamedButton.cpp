#include "ui/widgets/NamedButton.h"

#include <QPushButton>

QPushButton* namedButton(QWidget* parent, const char* name, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QPushButton* dialogButton(QWidget* parent, const char* name, const QString& text)
{
    QPushButton* button = namedButton(parent, name, text);
    button->setMinimumSize(96, 36);
    return button;
}
