#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QWidget;

// Offers a newer version: a frameless rounded card with the version, the release note and the buttons
// "立即更新" (accepts) and, unless the update is forced, "暂不更新"; "✕" always declines. The version and
// the note come from a server, so they are shown as plain text only.
class UpdatePromptDialog : public QDialog
{
    Q_OBJECT

public:
    UpdatePromptDialog(QWidget* parent, int themeIndex, const QString& version, const QString& releaseNote,
                       bool forced);

    // The theme's sheet; an unknown index gives the light theme's.
    static QString styleSheetFor(int themeIndex);

private:
    QWidget* buildTitleBar(bool forced);
    QWidget* buildContent(const QString& version, const QString& releaseNote, bool forced);

    QFrame* container = nullptr;
    QWidget* titleBar = nullptr;
    QLabel* titleIcon = nullptr;
    QPushButton* closeBtn = nullptr;
    QWidget* contentWidget = nullptr;
    QLabel* iconLabel = nullptr;
    QLabel* headingLabel = nullptr;
    QLabel* noteLabel = nullptr;
    QPushButton* laterBtn = nullptr;
    QPushButton* updateBtn = nullptr;
};
