#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QThread;
class UndoJob;

namespace platform
{
struct Platform;
}

// "撤销优化": lists this PC's optimisation runs from their change records, and after a confirmation puts the
// chosen run's settings back on a worker thread, showing each result line. What cannot come back (deleted
// files, restore points, residues) is said once, above the list. The dialog cannot be closed while a restore
// runs.
class UndoDialog : public QDialog
{
    Q_OBJECT

public:
    UndoDialog(QWidget* parent, platform::Platform& machine, const QString& recordFolder, const QString& device,
               int themeIndex);
    ~UndoDialog() override;

    void setTheme(int themeIndex);
    static QString styleSheetFor(int themeIndex);

    void reject() override;

private:
    void onListed(const QStringList& titles);
    void onRestoreClicked();
    void onLine(const QString& line);
    void onRestored(int restoredCount, int alreadySoCount, int failedCount);

    QLabel* noteLabel = nullptr;
    QListWidget* runList = nullptr;
    QPlainTextEdit* results = nullptr;
    QPushButton* restoreBtn = nullptr;
    QPushButton* closeBtn = nullptr;
    QThread* thread = nullptr;
    UndoJob* job = nullptr;
    bool busy = false;
    // The theme the dialog was opened in, for its confirmation.
    const int confirmTheme;
};
