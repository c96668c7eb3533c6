#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QWidget;

// Shows one of the compiled-in contact pictures (customer service, service card, remote help) on a small
// frameless card with a close button. The main window creates it once and re-styles it before each use.
class ImageDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kImageWidth = 350;
    static constexpr int kImageHeight = 472;

    ImageDialog(QWidget* parent, int themeIndex);

    // Loads the picture at `path` and shows it scaled to fit kImageWidth x kImageHeight; a picture that
    // does not load leaves the previous one in place and returns false.
    bool setImage(const QString& path);
    QString imagePath() const { return shownPath; }

    void setTheme(int themeIndex);
    static QString styleSheetFor(int themeIndex);

protected:
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* contentWidget = nullptr;
    QPushButton* imageCloseBtn = nullptr;
    QLabel* imageLabel = nullptr;
    QString shownPath;
};
