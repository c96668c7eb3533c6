#include "ui/dialogs/DialogRunner.h"

#include <QDialog>
#include <QQueue>

namespace {

QQueue<DialogRunner::Answer>& answers()
{
    static QQueue<DialogRunner::Answer> queue;
    return queue;
}

} // namespace

void DialogRunner::setNextAnswer(Answer answer)
{
    answers().enqueue(std::move(answer));
}

int DialogRunner::pendingAnswers()
{
    return answers().size();
}

void DialogRunner::clearAnswers()
{
    answers().clear();
}

int DialogRunner::exec(QDialog& dialog)
{
    if (answers().isEmpty())
        return dialog.exec();
    const Answer answer = answers().dequeue();
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    answer(dialog);
    if (dialog.isVisible())
        dialog.reject();
    return dialog.result();
}
