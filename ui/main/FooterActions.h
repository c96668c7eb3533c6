#pragma once

#include <QObject>
#include <QPointer>

class AboutDialog;
class FlowHost;
class ImageDialog;

// What the footer's buttons and the pages' help links open: the website, the about dialog, the undo dialog
// and the pictures of the image dialog. The two dialogs are made on first use and kept.
class FooterActions : public QObject {
    Q_OBJECT

public:
    // A demonstration changed nothing, so its undo dialog lists no runs.
    FooterActions(FlowHost& host, const QString& appDir, bool demoMode, QObject* parent = nullptr);

    void openWebsite();
    void showAbout();
    void showUndo();
    void showServiceCard();
    void showCustomerService();
    void showRemoteHelp();
    // Nothing is transmitted, so the thank-you must not say that anything was.
    void thankForSharing();
    // Re-styles the about dialog, if there is one, for the host's current theme.
    void applyTheme();

private:
    // One of the compiled-in pictures (":/ICON/1.png" ...) in the image dialog, run modally.
    void showImage(const QString& image);

    FlowHost& host;
    const QString appDir;
    const bool demoMode;
    QPointer<AboutDialog> aboutDialog;
    QPointer<ImageDialog> imageDialog;
};
