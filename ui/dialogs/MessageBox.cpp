#include "ui/dialogs/MessageBox.h"

#include "ui/dialogs/DialogRunner.h"

namespace {

void notify(QWidget* parent, int themeIndex, ThemedMessage::Kind kind, const QString& title, const QString& text)
{
    ThemedMessage box(parent, themeIndex, kind, title, text);
    DialogRunner::exec(box);
}

} // namespace

void MessageBox::critical(QWidget* parent, int themeIndex, const QString& title, const QString& text)
{
    notify(parent, themeIndex, ThemedMessage::Critical, title, text);
}

void MessageBox::information(QWidget* parent, int themeIndex, const QString& title, const QString& text)
{
    notify(parent, themeIndex, ThemedMessage::Information, title, text);
}

bool MessageBox::confirm(QWidget* parent, int themeIndex, ThemedMessage::Kind kind, const QString& title,
                         const QString& text, const QString& acceptText, const QString& rejectText)
{
    ThemedMessage box(parent, themeIndex, kind, title, text);
    box.setButtons(acceptText, rejectText);
    return DialogRunner::exec(box) == QDialog::Accepted;
}
