#include "ui/phase2/GroupCard.h"

#include "ui/phase2/Phase2Style.h"
#include "ui/widgets/ElidedLabel.h"

#include <QCheckBox>
#include <QEvent>
#include <QFontMetricsF>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QtMath>

namespace {

// Titles and descriptions quote the machine (entry names, commands, paths): always plain text, so that a
// value named like markup cannot make the label load anything.
QLabel* plainLabel(const QString& text, const char* name, const QString& style, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setStyleSheet(style);
    return label;
}

ElidedLabel* elidedLabel(const QString& text, const char* name, const char* style, QWidget* parent)
{
    auto* label = new ElidedLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setStyleSheet(QLatin1String(style));
    return label;
}

// The title column of a card is as wide as its widest title within these bounds, so that every description
// of the card starts at the same x; a longer title is shortened in the middle.
constexpr int kTitleNarrowest = 120;
constexpr int kTitleWidest = 260;
// The check box and the information marker take the same room.
constexpr int kMarkWidth = 20;

} // namespace

GroupCard::GroupCard(const OptGroup& group, QWidget* parent)
    : QWidget(parent)
    , group_(group)
{
    setObjectName(QStringLiteral("groupCard"));
    setAttribute(Qt::WA_StyledBackground);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildHeader());
    layout->addWidget(buildBody());
}

QFrame* GroupCard::buildHeader()
{
    header = new QFrame(this);
    header->setObjectName(QStringLiteral("groupHeader"));
    header->setCursor(Qt::PointingHandCursor);
    header->setMinimumHeight(48);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(16, 8, 16, 8);
    QLabel* icon = plainLabel(group_.icon, "groupIcon", "font-size:20px; background:transparent;", header);
    title = plainLabel(group_.title, "groupTitle", "font-size:15px; font-weight:bold; background:transparent;",
                       header);
    arrow = plainLabel(QStringLiteral("▾"), "groupArrow", "font-size:14px; background:transparent;", header);
    arrow->setFixedWidth(20);
    for (QLabel* label : {icon, title, arrow})
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    row->addWidget(icon);
    row->addWidget(title, 1);
    row->addWidget(arrow);
    header->installEventFilter(this);
    return header;
}

QWidget* GroupCard::buildBody()
{
    body = new QWidget(this);
    body->setObjectName(QStringLiteral("groupBody"));
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(16, 8, 16, 12);
    column->setSpacing(6);
    QLabel* desc = plainLabel(group_.description, "groupDesc", "font-size:12px; background:transparent; "
                                                               "padding-bottom:4px;", body);
    desc->setWordWrap(true);
    column->addWidget(desc);
    for (int i = 0; i < group_.items.size(); ++i) {
        rows.append(buildRow(i, body));
        column->addWidget(rows.last());
    }
    return body;
}

// Measured when shown, in the font the window's sheet gives the titles.
void GroupCard::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    alignTitles();
}

void GroupCard::alignTitles()
{
    int widest = kTitleNarrowest;
    for (ElidedLabel* label : titles) {
        label->ensurePolished();
        // Rounded up: a title a fraction of a pixel wider than its column would lose its middle.
        widest = qMax(widest, qCeil(QFontMetricsF(label->font()).horizontalAdvance(label->fullText())) + 1);
    }
    for (ElidedLabel* label : titles)
        label->setFixedWidth(qMin(widest, kTitleWidest));
}

QWidget* GroupCard::buildRow(int index, QWidget* parent)
{
    const OptItem& item = group_.items.at(index);
    auto* row = new QWidget(parent);
    row->setObjectName(QStringLiteral("itemRow_%1").arg(index));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(8);
    if (item.infoOnly) {
        QLabel* marker = plainLabel(QStringLiteral("◉"), "itemMarker", "font-size:16px; background:transparent;", row);
        marker->setFixedWidth(kMarkWidth);
        layout->addWidget(marker);
    } else {
        auto* box = new QCheckBox(row);
        box->setFixedWidth(kMarkWidth);
        box->setObjectName(QStringLiteral("itemCheck"));
        box->setStyleSheet(QStringLiteral("QCheckBox::indicator { width:16px; height:16px; }"));
        connect(box, &QCheckBox::toggled, this, [this, index](bool checked) { onToggled(index, checked); });
        boxes.append({box, index});
        layout->addWidget(box);
    }
    ElidedLabel* name =
        elidedLabel(item.title, "itemTitle", "font-size:13px; font-weight:500; background:transparent;", row);
    titles.append(name);
    QLabel* description = elidedLabel(item.description, "itemDesc", "font-size:11px; background:transparent;", row);
    description->setWordWrap(true);
    QLabel* badge = plainLabel(item.riskText, "itemBadge", Phase2Style::badgeSheet(item.riskLevel), row);
    badge->setFixedWidth(70);
    badge->setAlignment(Qt::AlignCenter);
    layout->addWidget(name);
    layout->addWidget(description, 1);
    layout->addWidget(badge);
    return row;
}

void GroupCard::onToggled(int item, bool checked)
{
    emit selectionChanged();
    const OptItem& changed = group_.items.at(item);
    if (checked && !changed.confirmType.isEmpty())
        emit specialConfirmRequested(changed.id, changed.confirmType);
}

QSet<QString> GroupCard::checkedIds() const
{
    QSet<QString> ids;
    for (const Selectable& s : boxes) {
        if (s.box->isChecked())
            ids.insert(group_.items.at(s.item).id);
    }
    return ids;
}

void GroupCard::selectSafeItems()
{
    for (const Selectable& s : boxes) {
        if (group_.items.at(s.item).riskLevel == 0)
            s.box->setChecked(true);
    }
}

void GroupCard::uncheckAll()
{
    for (const Selectable& s : boxes)
        s.box->setChecked(false);
}

bool GroupCard::setItemChecked(const QString& id, bool checked)
{
    for (const Selectable& s : boxes) {
        if (group_.items.at(s.item).id == id) {
            s.box->setChecked(checked);
            return true;
        }
    }
    return false;
}

void GroupCard::filter(const QString& text)
{
    if (text.isEmpty()) {
        for (QWidget* row : rows)
            row->show();
        show();
        return;
    }
    const QString needle = text.toLower();
    bool any = false;
    for (int i = 0; i < rows.size(); ++i) {
        const OptItem& item = group_.items.at(i);
        const bool match = item.title.toLower().contains(needle) || item.description.toLower().contains(needle)
                           || item.id.toLower().contains(needle);
        rows.at(i)->setVisible(match);
        any = any || match;
    }
    setVisible(any);
}

void GroupCard::applyTheme(int themeIndex)
{
    const Phase2Style::CardSheets sheets = Phase2Style::cardSheets(themeIndex);
    setStyleSheet(sheets.card);
    arrow->setStyleSheet(sheets.arrow);
    title->setStyleSheet(sheets.title);
}

bool GroupCard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (widget != header && !header->isAncestorOf(widget)))
        return QWidget::eventFilter(watched, event);
    toggleExpanded();
    return true;
}

void GroupCard::toggleExpanded()
{
    expanded = !expanded;
    body->setVisible(expanded);
    arrow->setText(expanded ? QStringLiteral("▾") : QStringLiteral("▸"));
}
