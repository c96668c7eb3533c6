#pragma once

#include <functional>

class QDialog;

// Runs every modal dialog of the window. Normally that is QDialog::exec(); a test queues answers instead,
// and the next dialog is shown without a nested event loop and handed to the answer, which inspects it and
// presses one of its buttons (or closes it) so that the dialog's own slots run as they would for a person.
class DialogRunner {
public:
    using Answer = std::function<void(QDialog&)>;

    static void setNextAnswer(Answer answer);
    static int pendingAnswers();
    static void clearAnswers();

    // Returns the dialog's result code (QDialog::Accepted or QDialog::Rejected).
    static int exec(QDialog& dialog);
};
