#pragma once

#include "ui/dialogs/ThemedMessage.h"

#include <QString>

class QWidget;

// The program's message boxes, drawn as ThemedMessage in the theme of the moment and run through DialogRunner
// so that tests can answer them: a notice with "确定", or a question whose two buttons name their answers.
class MessageBox {
public:
    static void critical(QWidget* parent, int themeIndex, const QString& title, const QString& text);
    static void information(QWidget* parent, int themeIndex, const QString& title, const QString& text);
    // True only when the user pressed `acceptText`; closing the box counts as `rejectText`.
    static bool confirm(QWidget* parent, int themeIndex, ThemedMessage::Kind kind, const QString& title,
                        const QString& text, const QString& acceptText, const QString& rejectText);
};
