#include "ui/result/ResultPageStyle.h"

#include "ui/theme/ThemePalette.h"

namespace ResultPageStyle {

namespace {

// What the result page's sheet takes from the theme beyond the shared palette.
struct ResultLook {
    const char* card;        // health card and result cards: background, border
    const char* cardBorder;
    const char* score;
    int healthDescPx;
    int descPx;              // result-card captions
    const char* startupBar;
    int startupLabelPx;
    const char* startupLabel;
    const char* startupBtn;
    const char* startupBtnText;
    int startupBtnPx;
    const char* startupBtnHover;
    int finishRadius;
    const char* finishWeight;
    const char* feedback;    // helpful and average buttons
    const char* feedbackHover;
    const char* reminder;
    int reminderPx;
    const char* promptRow;
    const char* promptText;
    const char* amberCard;
    const char* redCard;
    const char* accentRgb;   // the accent as "r,g,b" for the translucent entry button
};

// clang-format off
const ResultLook kLooks[theme::kCount] = {
    {"#141923", "1px solid #1E2433", "#00E676", 13, 12,
     "background-color: rgba(251,191,36,0.08); border-radius: 12px; border-left: 3px solid #FBBF24;",
     14, "#E8ECF2", "#F59E0B", "#0B0F17", 13, "#D97706", 12, "600",
     "background-color: #141923; color: #8B94A6; border: 1px solid #1E2433; border-radius: 20px; font-size: 14px;",
     "background-color: #181D28; color: #E8ECF2;", "#535C6E", 13,
     "background: rgba(249,115,22,0.12); border: 1px solid rgba(249,115,22,0.2); border-radius: 8px;", "#FB923C",
     "background: rgba(251,191,36,0.08); border: 1px solid rgba(251,191,36,0.15); border-radius: 10px;",
     "background: rgba(239,68,68,0.08); border: 1px solid rgba(239,68,68,0.15); border-radius: 10px;",
     "0,194,255"},
    {"#FFFFFF", "2px solid #F0D9BD", "#2E7D32", 14, 14,
     "background-color: #FFF8EE; border-radius: 12px; border-left: 3px solid #E0880A;",
     16, "#5C3D22", "#FF7A45", "white", 14, "#E8632A", 14, "bold",
     "background-color: #FFF3E6; color: #5C3D22; border: 2px solid #F0D9BD; border-radius: 20px; font-size: 16px; "
     "padding: 8px 16px;",
     "background-color: #FFE8D5; color: #2D1A08;", "#5C3D22", 14,
     "background: rgba(255,122,69,0.1); border: 1px solid rgba(255,122,69,0.2); border-radius: 8px;", "#FF7A45",
     "background: #FFF8EE; border: 1px solid rgba(224,136,10,0.15); border-radius: 10px;",
     "background: #FFF0ED; border: 1px solid rgba(224,85,72,0.15); border-radius: 10px;",
     "255,122,69"},
    {"#FFFFFF", "1px solid #E4E9F2", "#16A34A", 13, 12,
     "background-color: #FFFBEB; border-radius: 12px; border-left: 3px solid #F59E0B;",
     14, "#475569", "#F59E0B", "white", 13, "#D97706", 12, "600",
     "background-color: #F1F5F9; color: #475569; border: none; border-radius: 20px; font-size: 14px;",
     "background-color: #E2E8F0; color: #0F1520;", "#94A3B8", 13,
     "background: rgba(249,115,22,0.08); border: 1px solid rgba(249,115,22,0.15); border-radius: 8px;", "#EA580C",
     "background: #FFFBEB; border: 1px solid rgba(245,158,11,0.15); border-radius: 10px;",
     "background: #FEF2F2; border: 1px solid rgba(239,68,68,0.15); border-radius: 10px;",
     "26,115,232"},
};

struct StorageLook {
    const char* background;
    const char* border;
    const char* text;
};

const StorageLook kStorageLooks[theme::kCount] = {
    {"#141923", "#1E2433", "#C7CDD9"},
    {"#FFF8EE", "#F0D9BD", "#2D1A08"},
    {"#FFFFFF", "#E2E8F0", "#0F1520"},
};
// clang-format on

QString str(const char* text)
{
    return QString::fromUtf8(text);
}

QString cardsSheet(const theme::ThemePalette& p, const ResultLook& l)
{
    const QString frame = QStringLiteral("background-color: %1; border-radius: 12px; border: %2;")
                              .arg(str(l.card), str(l.cardBorder));
    return QStringLiteral("QWidget#ResultPage { background: %1; }\n").arg(p.base.page)
           + QStringLiteral("QFrame#healthCard { %1 }\n").arg(frame)
           + QStringLiteral("QLabel#healthScore { font-size: 32px; font-weight: bold; color: %1; }\n").arg(str(l.score))
           + QStringLiteral("QLabel#healthTitle { font-size: 16px; font-weight: bold; color: %1; }\n")
                 .arg(p.base.primaryText)
           + QStringLiteral("QLabel#healthDesc { font-size: %1px; color: %2; }\n")
                 .arg(l.healthDescPx)
                 .arg(p.base.secondaryText)
           + QStringLiteral("QFrame#cardFrame1, QFrame#cardFrame2, QFrame#cardFrame3, QFrame#cardFrame4 { %1 }\n")
                 .arg(frame)
           + QStringLiteral("QLabel#cardIcon1, QLabel#cardIcon2, QLabel#cardIcon3, QLabel#cardIcon4 "
                            "{ font-size: 24px; }\n")
           + QStringLiteral("QLabel#cardValue1, QLabel#cardValue2, QLabel#cardValue3, QLabel#cardValue4 "
                            "{ font-size: 16px; font-weight: bold; color: %1; }\n")
                 .arg(p.base.accent)
           + QStringLiteral("QLabel#cardDesc1, QLabel#cardDesc2, QLabel#cardDesc3, QLabel#cardDesc4 "
                            "{ font-size: %1px; color: %2; }\n")
                 .arg(l.descPx)
                 .arg(p.base.secondaryText);
}

QString startupBarSheet(const ResultLook& l)
{
    return QStringLiteral("QWidget#startupBar { %1 }\n").arg(str(l.startupBar))
           + QStringLiteral("QLabel#startupLabel { font-size: %1px; color: %2; }\n")
                 .arg(l.startupLabelPx)
                 .arg(str(l.startupLabel))
           + QStringLiteral("QPushButton#startupBtn { background-color: %1; color: %2; border: none; "
                            "border-radius: 8px; padding: 8px 16px; font-size: %3px; font-weight: bold; }\n")
                 .arg(str(l.startupBtn), str(l.startupBtnText))
                 .arg(l.startupBtnPx)
           + QStringLiteral("QPushButton#startupBtn:hover { background-color: %1; }\n").arg(str(l.startupBtnHover));
}

QString buttonsSheet(const theme::ThemePalette& p, const ResultLook& l)
{
    const QString finish = QStringLiteral("qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2)");
    return QStringLiteral("QPushButton#remoteHelpBtn { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, "
                          "stop:0 #EF4444, stop:1 #DC2626); color: white; border: none; border-radius: 24px; "
                          "font-size: 16px; font-weight: bold; }\n")
           + QStringLiteral("QPushButton#remoteHelpBtn:hover { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, "
                            "stop:0 #DC2626, stop:1 #B91C1C); }\n")
           + QStringLiteral("QPushButton#finishBtn { background: %1; color: %2; border: none; border-radius: %3px; "
                            "font-size: 16px; font-weight: %4; min-width: 280px; padding: 12px 36px; }\n")
                 .arg(finish.arg(p.base.accent, p.base.accentDeep), p.base.onAccent)
                 .arg(l.finishRadius)
                 .arg(str(l.finishWeight))
           + QStringLiteral("QPushButton#finishBtn:hover { background: %1; }\n")
                 .arg(finish.arg(p.base.accentDeep, p.base.accent))
           + QStringLiteral("QPushButton#helpfulBtn, QPushButton#averageBtn { %1 margin-bottom: 8px; }\n")
                 .arg(str(l.feedback))
           + QStringLiteral("QPushButton#helpfulBtn:hover, QPushButton#averageBtn:hover { %1 }\n")
                 .arg(str(l.feedbackHover))
           + QStringLiteral("QLabel#reminderLabel { font-size: %1px; color: %2; margin-bottom: 4px; }\n")
                 .arg(l.reminderPx)
                 .arg(str(l.reminder))
           + QStringLiteral("QPushButton#phase2EntryBtn { border:2px dashed %1; border-radius:12px; "
                            "background:rgba(%2,0.06); color:%1; font-size:14px; font-weight:bold; }\n")
                 .arg(p.base.accent, str(l.accentRgb))
           + QStringLiteral("QPushButton#phase2EntryBtn:hover { background:rgba(%1,0.12); border-color:%2; "
                            "color:%2; }\n")
                 .arg(str(l.accentRgb), p.base.accentDeep);
}

QString findingsSheet(const theme::ThemePalette& p, const ResultLook& l)
{
    return QStringLiteral("QFrame#promptRow { %1 }\n").arg(str(l.promptRow))
           + QStringLiteral("QFrame#promptRow QLabel { color: %1; }\n").arg(str(l.promptText))
           + QStringLiteral("QPushButton#cardStartup, QPushButton#cardAdw, QPushButton#cardPop { %1 }\n")
                 .arg(str(l.amberCard))
           + QStringLiteral("QPushButton#cardBhj { %1 }\n").arg(str(l.redCard))
           // The captions under the counts get the theme's secondary text colour; without one they stay black
           // on the dark page.
           + QStringLiteral("QLabel#findingCaption { color: %1; }\n").arg(p.base.secondaryText);
}

} // namespace

QString pageSheet(int themeIndex)
{
    const theme::ThemePalette* p = theme::palette(themeIndex);
    if (!p)
        return QString();
    const ResultLook& l = kLooks[themeIndex];
    return cardsSheet(*p, l) + startupBarSheet(l) + buttonsSheet(*p, l) + findingsSheet(*p, l);
}

QString storageCardSheet(int themeIndex)
{
    const StorageLook& l = kStorageLooks[theme::palette(themeIndex) ? themeIndex : theme::kLight];
    return QStringLiteral("QFrame#storageCard { background-color:%1; border:1px solid %2; border-radius:10px; }"
                          "QLabel#storageCardText { color:%3; font-size:12px; line-height:18px; }")
        .arg(str(l.background), str(l.border), str(l.text));
}

} // namespace ResultPageStyle
