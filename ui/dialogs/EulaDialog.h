#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTextEdit;

// Asks the user to accept the end-user agreement before the first optimisation run. Accepting writes "1"
// into the flag file given at construction; a flag that cannot be written still lets this run go ahead.
// One fixed look in every theme.
class EulaDialog : public QDialog {
    Q_OBJECT

public:
    explicit EulaDialog(const QString& flagPath, QWidget* parent = nullptr);

    // Puts the agreement into the text area and shows it from its first line.
    void showAgreement(const QString& html);

    bool isAccepted() const { return accepted; }

private slots:
    void onAgreeClicked();
    void onExitClicked();

private:
    void buildWidgets();
    void setTexts();

    QString flagPath;
    QLabel* titleLabel = nullptr;
    QTextEdit* textEdit = nullptr;
    QPushButton* exitBtn = nullptr;
    QPushButton* agreeBtn = nullptr;
    bool accepted = false;
};
