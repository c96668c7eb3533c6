#pragma once

#include "analysis/ScanReportBundle.h"
#include "phase2/OptItem.h"

#include <QWidget>

class GroupCard;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

// The page on which the user picks deep optimisations: the seven groups of the catalogue as collapsible
// cards in a scrolling list, a search line that filters the rows, and a tool bar with "select safe",
// "restore default", the selection count and the execute, skip and remote-help buttons. The page only
// selects; the main window takes the selected items from executeClicked and runs them.
class Phase2Page : public QWidget {
    Q_OBJECT

public:
    explicit Phase2Page(QWidget* parent = nullptr);

    // Rebuilds the report groups (start-up, junk software, conflicts) from `report` and replaces their cards.
    void applyReport(const ScanReportBundle& report);
    bool hasReport() const { return reportApplied; }
    const ScanReportBundle& report() const { return report_; }
    const QVector<OptGroup>& groups() const { return groups_; }
    GroupCard* card(int groupIndex) const { return cards.value(groupIndex); }

    // The checked items in group order and, within a group, in item order; each id once.
    QVector<OptItem> selectedItems() const;
    // Ticks or unticks the item with this id (used when its confirmation is cancelled).
    void setItemChecked(const QString& id, bool checked);
    bool isItemChecked(const QString& id) const;
    void applyTheme(int themeIndex);

signals:
    void executeClicked(const QVector<OptItem>& items);
    void skipClicked();
    void backToResult();
    void specialConfirmRequested(const QString& itemId, const QString& confirmType);
    void remoteHelpClicked();

public slots:
    // Scrolls the list so that the group's card is in view; an index outside the catalogue does nothing.
    void scrollToGroup(int groupIndex);

private:
    void buildWidgets();
    QWidget* buildToolbar();
    GroupCard* newCard(const OptGroup& group);
    void replaceCard(int groupIndex);
    void updateCount();
    void filterCards(const QString& text);

    QVector<OptGroup> groups_;
    ScanReportBundle report_;
    bool reportApplied = false;
    QVector<GroupCard*> cards;
    QLabel* title = nullptr;
    QLabel* subtitle = nullptr;
    QLineEdit* search = nullptr;
    QScrollArea* scroll = nullptr;
    QVBoxLayout* cardLayout = nullptr;
    QLabel* countLabel = nullptr;
    QPushButton* selectSafeBtn = nullptr;
    QPushButton* restoreBtn = nullptr;
    QPushButton* remoteBtn = nullptr;
    QPushButton* executeBtn = nullptr;
    QPushButton* skipBtn = nullptr;
    int themeIndex;
};
