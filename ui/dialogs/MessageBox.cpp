#include "ui/dialogs/MessageBox.h"

#include "ui/dialogs/DialogRunner.h"

#include <QMessageBox>

namespace {

void run(QMessageBox::Icon icon, QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    DialogRunner::exec(box);
}

} // namespace

void MessageBox::critical(QWidget* parent, const QString& title, const QString& text)
{
    run(QMessageBox::Critical, parent, title, text);
}

void MessageBox::information(QWidget* parent, const QString& title, const QString& text)
{
    run(QMessageBox::Information, parent, title, text);
}
