#pragma once

#include "phase2/OptItem.h"

#include <QSet>
#include <QWidget>

class ElidedLabel;
class QCheckBox;
class QFrame;
class QLabel;

// One collapsible group of the phase-2 page: a header with icon, title and arrow (a click folds the body),
// the group's description and one row per item with a check box (or a "◉" marker for information-only
// items), the title, the description and the risk badge. Nothing is checked when the card is made.
class GroupCard : public QWidget {
    Q_OBJECT

public:
    explicit GroupCard(const OptGroup& group, QWidget* parent = nullptr);

    const OptGroup& group() const { return group_; }
    QSet<QString> checkedIds() const;
    // Checks every selectable item of risk level 0; never unchecks anything.
    void selectSafeItems();
    void uncheckAll();
    // Sets the box of the item with this id; false when the card has no such selectable item.
    bool setItemChecked(const QString& id, bool checked);
    // Shows the rows whose title, description or id contains `text` (any case) and hides the card when none
    // does; an empty text shows everything. Check states are kept.
    void filter(const QString& text);
    bool isExpanded() const { return expanded; }
    void applyTheme(int themeIndex);

signals:
    void selectionChanged();
    void specialConfirmRequested(const QString& itemId, const QString& confirmType);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct Selectable {
        QCheckBox* box;
        int item;
    };

    QFrame* buildHeader();
    QWidget* buildBody();
    QWidget* buildRow(int index, QWidget* parent);
    void alignTitles();
    void onToggled(int item, bool checked);
    void toggleExpanded();

    const OptGroup group_;
    QVector<Selectable> boxes;
    QVector<QWidget*> rows;
    QVector<ElidedLabel*> titles;
    QFrame* header = nullptr;
    QWidget* body = nullptr;
    QLabel* arrow = nullptr;
    QLabel* title = nullptr;
    bool expanded = true;
};
