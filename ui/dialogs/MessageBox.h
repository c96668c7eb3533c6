#pragma once

#include <QString>

class QWidget;

// The program's message boxes: an icon, a title, a text and one OK button, run through DialogRunner so
// that tests can answer them.
class MessageBox {
public:
    static void critical(QWidget* parent, const QString& title, const QString& text);
    static void information(QWidget* parent, const QString& title, const QString& text);
};
