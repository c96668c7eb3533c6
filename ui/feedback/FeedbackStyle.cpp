#include "ui/feedback/FeedbackStyle.h"

#include "ui/theme/ThemePalette.h"

#include <QStringList>

namespace feedbackstyle {

namespace {

struct FeedbackLook {
    const char* page;
    const char* card;
    const char* cardFrame; // border of the card, the outline button and the divider
    int cardRadius;
    const char* title;
    const char* subtitle;
    const char* description;
    const char* accent;
    const char* accentDeep;
    const char* onAccent;
    const char* accentTint; // the accent at 8 % opacity
    int glowR, glowG, glowB;
    int borderPx;
    const char* protectFrom;
    const char* protectTo;
    int protectRadius;
    const char* badgeFrom;
    const char* badgeTo;
    const char* cardNo;
    const char* valid;
    const char* noBox;
    const char* noBoxBorder;
    const char* copy;
    const char* validBox;
    // The warm theme's larger type, in points like the sizes the page gives its widgets, so that it stays
    // larger than theirs on any screen; 0 keeps the page's size.
    int pageTitlePt;
    int pageSubTitlePt;
    int descriptionPt;
    int bodyPt;
    int buttonPt;
    int cardTitlePt;
    int cardNoPt;
    int buttonRadius;
    int tagRadius;
    const char* tagPadding;
};

// clang-format off
const FeedbackLook kLooks[theme::kCount] = {
    {"#080B14", "#141923", "#1E2433", 24, "#E8ECF2", "#D0D0D0", "#8B94A6",
     "#00C2FF", "#009FD4", "#0B0F17", "rgba(0,194,255,0.08)", 0, 194, 255, 1,
     "#181D28", "#141923", 20, "#5271FF", "#00C2FF", "#E8ECF2", "#535C6E",
     "#1A2235", "#2E3A52", "#202A40", "#1E2534",
     0, 0, 0, 0, 0, 0, 0, 12, 10, "4px 12px"},
    {"#F5EDE0", "#FFFFFF", "#F0D9BD", 28, "#2D1A08", "#5C3D22", "#5C3D22",
     "#FF7A45", "#E8632A", "#FFFFFF", "rgba(255,122,69,0.08)", 255, 122, 69, 2,
     "#FFE8D5", "#F5EDE0", 24, "#FF7A45", "#FFA26B", "#2D1A08", "#A0886A",
     "#FFF3E6", "#E0C29A", "#FFFFFF", "#FFEDE0",
     28, 17, 14, 12, 17, 21, 17, 14, 12, "6px 14px"},
    {"#F0F2F8", "#FFFFFF", "#E4E9F2", 24, "#0F1520", "#475569", "#475569",
     "#1A73E8", "#1557C0", "#FFFFFF", "rgba(26,115,232,0.08)", 26, 115, 232, 1,
     "#F7F9FC", "#F1F5F9", 20, "#1A73E8", "#4285F4", "#0F1520", "#94A3B8",
     "#F1F5F9", "#B6C6E0", "#FFFFFF", "#EEF4FF",
     0, 0, 0, 0, 0, 0, 0, 12, 10, "4px 12px"},
};
// clang-format on

const FeedbackLook& lookFor(int themeIndex)
{
    return kLooks[theme::palette(themeIndex) ? themeIndex : theme::kDefault];
}

QString latin(const char* text)
{
    return QLatin1String(text);
}

QString fontSize(int pt)
{
    return pt > 0 ? QStringLiteral(" font-size: %1pt;").arg(pt) : QString();
}

QString gradient(const char* from, const char* to, const char* direction)
{
    return QStringLiteral("qlineargradient(%1, stop:0 %2, stop:1 %3)").arg(latin(direction), latin(from), latin(to));
}

QStringList pageRules(const FeedbackLook& l)
{
    const QString vertical = QStringLiteral("x1:0, y1:0, x2:0, y2:1");
    return {
        QStringLiteral("QWidget#FeedbackPage { background-color: %1; }").arg(latin(l.page)),
        QStringLiteral("QScrollArea#feedbackScroll, QWidget#feedbackContainer { background: transparent; }"),
        QStringLiteral("QScrollBar:vertical { width: 6px; background: transparent; }"),
        QStringLiteral("QScrollBar::handle:vertical { background: #C0C0C0; border-radius: 3px; }"),
        QStringLiteral("QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0px; }"),
        QStringLiteral("QFrame#feedbackCard { background-color: %1; border: %2px solid %3; border-radius: %4px; }")
            .arg(latin(l.card))
            .arg(l.borderPx)
            .arg(latin(l.cardFrame))
            .arg(l.cardRadius),
        QStringLiteral("QLabel#pageIcon { background: transparent; }"),
        QStringLiteral("QLabel#pageTitle { color: %1; font-weight: bold;%2 }")
            .arg(latin(l.title), fontSize(l.pageTitlePt)),
        QStringLiteral("QLabel#pageSubTitle { color: %1;%2 }").arg(latin(l.subtitle), fontSize(l.pageSubTitlePt)),
        QStringLiteral("QLabel#pageDesc { color: %1; line-height: 160%;%2 }")
            .arg(latin(l.description), fontSize(l.descriptionPt)),
        QStringLiteral("QPushButton#primaryBtn { background: %1; color: %2; border: none; border-radius: %3px; "
                       "font-weight: bold;%4 }")
            .arg(QStringLiteral("qlineargradient(%1, stop:0 %2, stop:1 %3)")
                     .arg(vertical, latin(l.accent), latin(l.accentDeep)),
                 latin(l.onAccent))
            .arg(l.buttonRadius)
            .arg(fontSize(l.buttonPt)),
        QStringLiteral("QPushButton#primaryBtn:hover { background: %1; }")
            .arg(QStringLiteral("qlineargradient(%1, stop:0 %2, stop:1 %3)")
                     .arg(vertical, latin(l.accentDeep), latin(l.accent))),
        QStringLiteral("QPushButton#secondaryBtn { background: transparent; color: %1; border: %2px solid %3; "
                       "border-radius: %4px; font-weight: bold;%5 }")
            .arg(latin(l.description))
            .arg(l.borderPx)
            .arg(latin(l.cardFrame))
            .arg(l.buttonRadius)
            .arg(fontSize(l.buttonPt)),
        QStringLiteral("QPushButton#secondaryBtn:hover { color: %1; border-color: %1; }").arg(latin(l.accent)),
    };
}

QStringList protectCardRules(const FeedbackLook& l)
{
    return {
        QStringLiteral("QFrame#protectCard { background: %1; border-radius: %2px; }")
            .arg(gradient(l.protectFrom, l.protectTo, "x1:0, y1:0, x2:1, y2:1"))
            .arg(l.protectRadius),
        QStringLiteral("QFrame#cardAccentBar { background: %1; border-top-left-radius: 4px; "
                       "border-top-right-radius: 4px; }")
            .arg(gradient(l.badgeFrom, l.badgeTo, "x1:0, y1:0, x2:1, y2:0")),
        QStringLiteral("QWidget#cardBody { background: transparent; }"),
        QStringLiteral("QFrame#cardLogoBadge { background: %1; border-radius: 16px; }")
            .arg(gradient(l.badgeFrom, l.badgeTo, "x1:0, y1:0, x2:1, y2:1")),
        QStringLiteral("QLabel#cardLogo { background: transparent; }"),
        QStringLiteral("QLabel#cardTitle { color: %1; font-weight: bold;%2 }")
            .arg(latin(l.accent), fontSize(l.cardTitlePt)),
        QStringLiteral("QLabel#cardSubtitle, QLabel#cardNoPrefix { color: %1;%2 }")
            .arg(latin(l.description), fontSize(l.bodyPt)),
        QStringLiteral("QLabel#cardTag { color: %1; background-color: %2; border-radius: %3px; padding: %4; }")
            .arg(latin(l.accent), latin(l.accentTint))
            .arg(l.tagRadius)
            .arg(latin(l.tagPadding)),
        QStringLiteral("QFrame#cardDivider { background-color: %1; border: none; }").arg(latin(l.cardFrame)),
        QStringLiteral("QFrame#cardNoBox { background-color: %1; border: 1px dashed %2; border-radius: 10px; }")
            .arg(latin(l.noBox), latin(l.noBoxBorder)),
        QStringLiteral("QLabel#cardNo { color: %1; letter-spacing: 2px; background: transparent;%2 }")
            .arg(latin(l.cardNo), fontSize(l.cardNoPt)),
        QStringLiteral("QPushButton#copyBtn { background-color: %1; color: %2; border: none; border-radius: 14px; "
                       "font-weight: bold; }")
            .arg(latin(l.copy), latin(l.accent)),
        QStringLiteral("QFrame#validBox { background-color: %1; border-radius: 10px; }").arg(latin(l.validBox)),
        QStringLiteral("QLabel#validLabel { color: %1; background: transparent;%2 }")
            .arg(latin(l.valid), fontSize(l.bodyPt)),
    };
}

} // namespace

QString sheetFor(int themeIndex)
{
    const FeedbackLook& look = lookFor(themeIndex);
    return (pageRules(look) + protectCardRules(look)).join(QLatin1Char('\n'));
}

QColor glowFor(int themeIndex)
{
    const FeedbackLook& look = lookFor(themeIndex);
    return QColor(look.glowR, look.glowG, look.glowB, 80);
}

} // namespace feedbackstyle
