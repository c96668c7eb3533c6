#include "ui/dialogs/MessageBox.h"

#include "ui/dialogs/DialogRunner.h"

#include <QMessageBox>

namespace {

void run(QMessageBox::Icon icon, QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox box(icon, title, QString(), QMessageBox::Ok, parent);
    // The texts quote the machine (item names, error messages): never let them be read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
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
