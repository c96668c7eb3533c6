#pragma once

#include <QString>

class QPushButton;
class QWidget;

// A push button the style sheets and tests find by its object name, with the hand cursor every clickable
// part of the interface shows.
QPushButton* namedButton(QWidget* parent, const char* name, const QString& text = QString());

// The same at the size of a dialog's answer buttons ("确定", "取消", …).
QPushButton* dialogButton(QWidget* parent, const char* name, const QString& text);
