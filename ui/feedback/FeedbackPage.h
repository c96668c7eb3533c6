#pragma once

#include <QWidget>

class ButtonGlow;
class QFrame;
class QLabel;
class QPushButton;
class QVBoxLayout;

// The page after the result page's question "did it help?". Mode kHelpful thanks the user, says that the
// run's record stays on this PC and offers a like (shareData(), answered with a thank-you that nothing is
// sent); mode kAverage gives a free remote-service card whose number
// can be copied. Both are overlays of the main window, created once and hidden; the primary button glows
// while the page is shown.
class FeedbackPage : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kHelpful = 0;
    static constexpr int kAverage = 1;
    static constexpr int kCopiedResetMs = 1200;

    // `cardNumber` is shown on the service card of mode kAverage.
    FeedbackPage(int mode, const QString& cardNumber, QWidget* parent = nullptr);

    int mode() const { return pageMode; }
    void applyTheme(int themeIndex);
    ButtonGlow* glow() const { return primaryGlow; }

signals:
    void finished();
    void shareData();

public slots:
    void onShareClicked();
    void onFinishClicked();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QFrame* buildCard(QWidget* parent);
    void buildHelpfulCard(QFrame* card, QVBoxLayout* layout);
    void buildAverageCard(QFrame* card, QVBoxLayout* layout, const QString& cardNumber);
    QFrame* buildProtectCard(QWidget* parent, const QString& cardNumber);
    QPushButton* primaryButton(QWidget* parent, const QString& text);
    void onCopyClicked();
    void fitWrappedLabels();

    const int pageMode;
    QLabel* cardNo = nullptr;
    QPushButton* copyBtn = nullptr;
    ButtonGlow* primaryGlow = nullptr;
};
