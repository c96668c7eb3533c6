#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The about box: product name, version, a one-line description, the agreement and privacy texts and a
// copyright line, in a frameless rounded card. The main window creates it once and re-themes it before
// every showing.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    // `appDir` is the folder holding the executable; the logo is the file "T512.png" there.
    AboutDialog(QWidget* parent, int themeIndex, const QString& appDir);

    // Stores the index and applies the theme's sheet; an unknown index keeps the current sheet.
    void setTheme(int themeIndex);
    int theme() const { return themeIndex; }

    static QString styleSheetFor(int themeIndex);

private slots:
    void onCloseClicked();

private:
    QWidget* buildTitleBar();
    QWidget* buildContent(const QString& appDir);
    void setTexts();
    void connectInfoButtons();

    int themeIndex;
    QLabel* titleLabel = nullptr;
    QPushButton* closeBtn = nullptr;
    QLabel* logoLabel = nullptr;
    QLabel* nameLabel = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* descLabel = nullptr;
    QPushButton* eulaBtn = nullptr;
    QPushButton* privacyBtn = nullptr;
    QPushButton* okBtn = nullptr;
    QLabel* copyrightLabel = nullptr;
};
