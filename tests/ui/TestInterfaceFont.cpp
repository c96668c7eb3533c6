#include "ui/theme/InterfaceFont.h"

#include <QFont>
#include <QFontDatabase>
#include <QtTest>

// The interface font's substitutes are chosen from the families a system has, one per role.
class TestInterfaceFont : public QObject {
    Q_OBJECT

private slots:
    void testSubstitutesPerSystem_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QStringList>("substitutes");
        QTest::addRow("Windows 10 and 11")
            << QStringList{"Microsoft YaHei", "SimSun", "Segoe UI", "Segoe UI Emoji", "Segoe UI Symbol"}
            << QStringList{"Segoe UI Emoji"};
        QTest::addRow("Windows 7") << QStringList{"Microsoft YaHei", "SimSun", "Segoe UI Symbol"}
                                   << QStringList{"Segoe UI Symbol"};
        QTest::addRow("Windows without YaHei") << QStringList{"SimSun", "Segoe UI Symbol", "Tahoma"}
                                               << QStringList{"SimSun", "Segoe UI Symbol"};
        QTest::addRow("Wine with WenQuanYi") << QStringList{"Tahoma", "Wingdings", "WenQuanYi Micro Hei"}
                                             << QStringList{"WenQuanYi Micro Hei"};
        QTest::addRow("Linux desktop")
            << QStringList{"DejaVu Sans", "Liberation Sans", "Noto Sans CJK SC", "WenQuanYi Micro Hei",
                           "Noto Color Emoji"}
            << QStringList{"Liberation Sans", "Noto Sans CJK SC", "Noto Color Emoji"};
        QTest::addRow("no known family") << QStringList{"Tahoma"} << QStringList{};
    }

    void testSubstitutesPerSystem()
    {
        QFETCH(QStringList, installed);
        QFETCH(QStringList, substitutes);
        const auto isUsable = [&installed](const QString& family) { return installed.contains(family); };
        QCOMPARE(interfaceFontSubstitutes(isUsable), substitutes);
    }

    void testInstalledSubstitutesExistAndReplaceEarlierOnes()
    {
        const QString family = QStringLiteral("Microsoft YaHei");
        QFont::insertSubstitution(family, QStringLiteral("No Such Family Anywhere"));
        substituteInterfaceFont();
        const QStringList installed = QFont::substitutes(family);
        QVERIFY(!installed.contains(QStringLiteral("No Such Family Anywhere")));
        const QFontDatabase database;
        for (const QString& substitute : installed)
            QVERIFY2(database.hasFamily(substitute) && database.isSmoothlyScalable(substitute), qPrintable(substitute));
    }
};

QTEST_MAIN(TestInterfaceFont)
#include "TestInterfaceFont.moc"
