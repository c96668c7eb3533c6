#pragma once

#include "support/TempStick.h"
#include "ui/dialogs/DialogRunner.h"
#include "ui/main/Optimizer.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

#include <memory>

// A window on a temporary stick, with helpers to find its widgets and to answer its dialogs.
class WindowHarness {
public:
    explicit WindowHarness(const QStringList& arguments = {})
        : window(std::make_unique<Optimizer>(arguments, stick.appDir()))
    {
        // The first show schedules the update check; a test never asks the outside world, so the check
        // goes to a closed loopback port unless the test writes its own "updater.config".
        stick.writeFile(QStringLiteral("updater.config"), "{\"update_url\": \"http://127.0.0.1:9/check\"}");
    }
    ~WindowHarness() { DialogRunner::clearAnswers(); }

    QPushButton* button(const QString& name) const { return window->findChild<QPushButton*>(name); }
    QLabel* label(const QString& name) const { return window->findChild<QLabel*>(name); }

    // Queues an answer that records the dialog's title and presses `buttonName` in it (or closes it when the
    // name is empty).
    void answerWith(const QString& buttonName)
    {
        DialogRunner::setNextAnswer([this, buttonName](QDialog& dialog) {
            dialogTitles.append(dialog.windowTitle());
            dialogs.append(&dialog);
            if (buttonName.isEmpty()) {
                dialog.close();
                return;
            }
            dialog.findChild<QPushButton*>(buttonName)->click();
        });
    }

    QString flagPath() const { return stick.root() + QStringLiteral("/eula_accepted.flag"); }

    TempStick stick;
    std::unique_ptr<Optimizer> window;
    QStringList dialogTitles;
    QList<QDialog*> dialogs;
};
