#pragma once

#include <QLabel>

// A plain-text label that never cuts its text mid-word without saying so. Without word wrap it keeps one line
// and leaves out the middle of a text that is too wide ("C:\Program…\YunDetect.exe"); with word wrap it
// breaks lines where the text allows and shortens the same way only a piece that no line could hold (a long
// path or command). Whenever something is left out the whole text is the tooltip. The text is fitted again
// on every resize and font change.
class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(const QString& text, QWidget* parent = nullptr);

    const QString& fullText() const { return full; }
    bool isElided() const { return shown != full; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void refit();
    QString fitted(int width) const;

    QString full;
    QString shown;
};
