#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QVBoxLayout;

// The program's notice and question box: a rounded card in the current theme with a title bar, a round
// badge saying what kind of message it is, the text (always plain: it quotes the machine) and Chinese
// buttons. The accept button accepts the dialog, the reject button and the title bar's close button reject
// it. A question makes its reject button the default, so that Enter never confirms by accident.
class ThemedMessage : public QDialog {
    Q_OBJECT

public:
    enum Kind { Information, Question, Warning, Critical };

    ThemedMessage(QWidget* parent, int themeIndex, Kind kind, const QString& title, const QString& text);

    // An empty `rejectText` leaves one button; a notice starts with "确定" alone.
    void setButtons(const QString& acceptText, const QString& rejectText = QString());

    Kind kind() const { return messageKind; }
    QString text() const;
    QPushButton* acceptButton() const { return acceptBtn; }
    QPushButton* rejectButton() const { return rejectBtn; }

    static QString styleSheetFor(int themeIndex);

protected:
    // Puts an input widget between the text and the buttons.
    void addField(QWidget* field);

private:
    QWidget* buildTitleBar(const QString& title);
    QWidget* buildBody(const QString& text);
    QWidget* buildButtonRow();

    const Kind messageKind;
    QLabel* textLabel = nullptr;
    QVBoxLayout* textColumn = nullptr;
    QPushButton* acceptBtn = nullptr;
    QPushButton* rejectBtn = nullptr;
};
