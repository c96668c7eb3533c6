#include "Phase2PageProbe.h"
#include "ui/main/DemoSample.h"
#include "ui/phase2/GroupCard.h"
#include "ui/phase2/Phase2Page.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

namespace {

QPushButton* button(const Phase2Page& page, const char* name)
{
    return page.findChild<QPushButton*>(QLatin1String(name));
}

QStringList selectedIds(const Phase2Page& page)
{
    QStringList ids;
    for (const OptItem& item : page.selectedItems())
        ids.append(item.id);
    return ids;
}

QString countText(const Phase2Page& page)
{
    return page.findChild<QLabel*>(QStringLiteral("p2Count"))->text();
}

} // namespace

class TestPhase2Page : public QObject {
    Q_OBJECT

    // Qt's clear button fades in with an animation it gives no parent; one still running when the line edit
    // is destroyed is never freed, so the page outlives it.
    static void waitForClearButtonFade(const QLineEdit& search)
    {
        if (search.text().isEmpty())
            return;
        const auto* clear = search.findChild<QToolButton*>();
        QVERIFY(clear);
        QTRY_COMPARE(clear->property("opacity").toReal(), 1.0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private slots:
    void testSelectSafeTakesOnlyTheSlightFixedItems()
    {
        Phase2Page page;
        page.applyReport(demoSample().report);
        itemBox(page, QStringLiteral("C9"))->setChecked(true);
        button(page, "p2SelectSafe")->click();
        QCOMPARE(selectedIds(page), QStringList({"C13", "C10", "C11", "C9", "F3", "E1", "H3"}));
        QCOMPARE(countText(page), QStringLiteral("已选 7 项"));
        QCOMPARE(button(page, "p2Execute")->text(), QStringLiteral("执行选中项(7)"));
        button(page, "p2Restore")->click();
        QVERIFY(page.selectedItems().isEmpty());
        QCOMPARE(countText(page), QStringLiteral("已选 0 项"));
        QCOMPARE(button(page, "p2Execute")->text(), QStringLiteral("执行选中项(0)"));
        QVERIFY(button(page, "p2Execute")->isEnabled());
    }

    void testExecuteCarriesTheSelectionInCatalogueOrder()
    {
        Phase2Page page;
        page.applyReport(demoSample().report);
        QSignalSpy execute(&page, &Phase2Page::executeClicked);
        itemBox(page, QStringLiteral("RES:adw-060"))->setChecked(true);
        itemBox(page, QStringLiteral("ST:1:某加速器"))->setChecked(true);
        itemBox(page, QStringLiteral("E1"))->setChecked(true);
        button(page, "p2Execute")->click();
        QCOMPARE(execute.size(), 1);
        const auto items = execute.first().first().value<QVector<OptItem>>();
        QCOMPARE(items.size(), 3);
        QCOMPARE(items[0].id, QStringLiteral("E1"));
        QCOMPARE(items[1].id, QStringLiteral("ST:1:某加速器"));
        QCOMPARE(items[2].id, QStringLiteral("RES:adw-060"));
    }

    void testInformationRowsHaveNoBox()
    {
        Phase2Page page;
        page.applyReport(ScanReportBundle());
        for (int g = 4; g < 7; ++g) {
            GroupCard* card = page.card(g);
            QVERIFY(card->findChildren<QCheckBox*>().isEmpty());
            QCOMPARE(card->findChild<QLabel*>(QStringLiteral("itemMarker"))->text(), QStringLiteral("◉"));
        }
        button(page, "p2SelectSafe")->click();
        QCOMPARE(page.selectedItems().size(), 6);
        QVERIFY(!itemBox(page, QStringLiteral("HJ_AppInit_DLLs")));
    }

    void testOnlyTickingAConfirmingItemAsks()
    {
        Phase2Page page;
        QSignalSpy confirm(&page, &Phase2Page::specialConfirmRequested);
        QCheckBox* printer = itemBox(page, QStringLiteral("C9"));
        printer->setChecked(true);
        QCOMPARE(confirm.size(), 1);
        QCOMPARE(confirm.first(), QList<QVariant>({QStringLiteral("C9"), QStringLiteral("C9")}));
        printer->setChecked(false);
        itemBox(page, QStringLiteral("C13"))->setChecked(true);
        QCOMPARE(confirm.size(), 1);
        QCOMPARE(countText(page), QStringLiteral("已选 1 项"));
        page.setItemChecked(QStringLiteral("C13"), false);
        QCOMPARE(countText(page), QStringLiteral("已选 0 项"));
    }

    void testSearch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("visibleCards");
        QTest::addColumn<int>("visibleRowsInFirst");
        QTest::addRow("empty") << "" << QList<int>{0, 1, 2, 3, 4, 5, 6} << 8;
        QTest::addRow("blanks") << "   " << QList<int>{0, 1, 2, 3, 4, 5, 6} << 8;
        QTest::addRow("id, any case") << "c9" << QList<int>{0} << 1;
        QTest::addRow("description") << "WiFi" << QList<int>{0} << 1;
        QTest::addRow("report item") << " 残留 " << QList<int>{5} << 1;
        QTest::addRow("nothing") << "zzz" << QList<int>{} << 0;
    }

    void testSearch()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, visibleCards);
        QFETCH(int, visibleRowsInFirst);
        Phase2Page page;
        page.applyReport(demoSample().report);
        page.show();
        itemBox(page, QStringLiteral("C13"))->setChecked(true);
        auto* search = page.findChild<QLineEdit*>(QStringLiteral("p2Search"));
        search->setText(text);
        waitForClearButtonFade(*search);
        QList<int> visible;
        for (int g = 0; g < 7; ++g) {
            if (page.card(g)->isVisible())
                visible.append(g);
        }
        QCOMPARE(visible, visibleCards);
        int rows = 0;
        for (QWidget* row : page.card(visible.value(0, 0))->findChildren<QWidget*>(QRegularExpression("^itemRow_")))
            rows += row->isVisible() ? 1 : 0;
        QCOMPARE(rows, visibleRowsInFirst);
        QVERIFY(page.findChild<QWidget*>(QStringLiteral("p2Toolbar"))->isVisible());
        // Hidden rows keep their state.
        QCOMPARE(selectedIds(page), QStringList{"C13"});
    }

    void testScrollToGroup()
    {
        Phase2Page page;
        page.applyReport(demoSample().report);
        page.resize(860, 600);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        auto* area = page.findChild<QScrollArea*>(QStringLiteral("p2ScrollArea"));
        QScrollBar* bar = area->verticalScrollBar();
        page.scrollToGroup(6);
        const int bottom = bar->value();
        QVERIFY(bottom > 0);
        page.scrollToGroup(7);
        page.scrollToGroup(-1);
        QCOMPARE(bar->value(), bottom);
        page.scrollToGroup(0);
        QCOMPARE(bar->value(), 0);
        page.scrollToGroup(2);
        QCOMPARE(page.card(2)->mapTo(area->viewport(), QPoint()).y(), 20);
    }

    void testHeaderClickFolds()
    {
        Phase2Page page;
        GroupCard* card = page.card(0);
        auto* header = card->findChild<QWidget*>(QStringLiteral("groupHeader"));
        auto* arrow = card->findChild<QLabel*>(QStringLiteral("groupArrow"));
        QTest::mouseClick(header, Qt::LeftButton);
        QVERIFY(!card->isExpanded());
        QCOMPARE(arrow->text(), QStringLiteral("▸"));
        QVERIFY(card->findChild<QWidget*>(QStringLiteral("groupBody"))->isHidden());
        QTest::mouseClick(header, Qt::LeftButton);
        QCOMPARE(arrow->text(), QStringLiteral("▾"));
    }

    void testMachineTextIsPlainAndReadableInTheDarkTheme()
    {
        ScanReportBundle report;
        StartupScanItem entry;
        entry.name = QStringLiteral("<img src=\"file://server/share/x\">");
        entry.command = QStringLiteral("<b>cmd</b>");
        entry.source = QStringLiteral("HKCU Run");
        entry.sourceType = 2;
        entry.riskLevel = 2;
        entry.canDisable = true;
        report.startupItems = {entry};
        Phase2Page page;
        page.applyReport(report);
        page.applyTheme(0);
        page.show();
        auto* title = page.card(4)->findChild<QLabel*>(QStringLiteral("itemTitle"));
        QCOMPARE(title->textFormat(), Qt::PlainText);
        QCOMPARE(title->text(), entry.name);
        for (const char* name : {"itemTitle", "itemDesc", "groupDesc"}) {
            auto* label = page.card(0)->findChild<QLabel*>(QLatin1String(name));
            QVERIFY2(label->palette().color(QPalette::WindowText).lightness() > 60, name);
        }
    }
};

QTEST_MAIN(TestPhase2Page)
#include "TestPhase2Page.moc"
