#pragma once

#include <QString>

class QPushButton;
class QWidget;

// The window's own widgets: the title bar, the home content (theme buttons, start button, tool-folder
// buttons) and the footer, with their texts and sheets. It builds them into the window it is given and
// finds its buttons again by object name; the pages laid over the content are not its business.
class WindowChrome {
public:
    explicit WindowChrome(QWidget* window);

    QWidget* titleBar() const { return titleBar_; }
    QWidget* content() const { return content_; }
    QPushButton* startButton() const { return startBtn; }
    QPushButton* button(const char* name) const;
    // The button choosing theme `index`.
    QPushButton* themeButton(int index) const;
    QString versionText() const;

    void applyTheme(int themeIndex);
    // The start button's height follows the theme, but only when the window is shown or resized.
    void applyStartButtonSize(int themeIndex);

private:
    QWidget* buildTitleBar();
    QWidget* buildContent();
    QWidget* buildModeBar(QWidget* parent);
    QWidget* buildToolBar(QWidget* parent);
    QWidget* buildFooter();
    void setTexts();

    QWidget* const window;
    QWidget* titleBar_ = nullptr;
    QWidget* content_ = nullptr;
    QPushButton* startBtn = nullptr;
};
