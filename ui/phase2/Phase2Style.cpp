#include "ui/phase2/Phase2Style.h"

#include "ui/theme/ThemePalette.h"

namespace Phase2Style {

namespace {

struct PageRow {
    const char* page;
    const char* toolbar;
    const char* title;
    const char* subtitle;
    const char* search;
    const char* selectSafe;
    const char* restore;
    const char* remoteHelp;
    const char* count;
    const char* execute;
    const char* skip;
};

// clang-format off
const PageRow kPages[theme::kCount] = {
    {"#080B14",
     "background-color:#141923; border-top:1px solid #1E2433; border-radius:12px 12px 0 0; padding:4px 0;",
     "font-size:22px; font-weight:800; color:#E8ECF2;",
     "font-size:13px; color:#8B94A6; padding-bottom:4px;",
     "QLineEdit { border:1px solid #2A3142; border-radius:10px; padding:10px 14px 10px 36px; font-size:13px; "
     "background:#141923; color:#E8ECF2; }QLineEdit:focus { border-color:#00C2FF; background:#181D28; }",
     "QPushButton { background:#141923; color:#00C2FF; border:1px solid rgba(0,194,255,0.15); border-radius:8px; "
     "padding:8px 16px; font-size:12px; }QPushButton:hover { background:rgba(0,194,255,0.08); "
     "border-color:rgba(0,194,255,0.3); }",
     "QPushButton { background:transparent; color:#8B94A6; border:none; border-radius:8px; padding:8px 16px; "
     "font-size:12px; }QPushButton:hover { color:#E8ECF2; }",
     "QPushButton { background:rgba(0,194,255,0.1); color:#00C2FF; border:1px solid rgba(0,194,255,0.25); "
     "border-radius:8px; padding:8px 16px; font-size:12px; }QPushButton:hover { background:rgba(0,194,255,0.18); "
     "border-color:rgba(0,194,255,0.4); }",
     "font-size:13px; font-weight:bold; color:#00C2FF;",
     "QPushButton { background:qlineargradient(x1:0,y1:0,x2:0,y2:1,stop:0 #00C2FF,stop:1 #009FD4); color:#0B0F17; "
     "border:none; border-radius:10px; padding:10px 24px; font-size:14px; font-weight:bold; }QPushButton:hover { "
     "background:qlineargradient(x1:0,y1:0,x2:0,y2:1,stop:0 #009FD4,stop:1 #00C2FF); }QPushButton:disabled { "
     "background:#1E2433; color:#535C6E; }",
     "QPushButton { background:transparent; color:#8B94A6; border:1px solid #1E2433; border-radius:10px; "
     "padding:10px 24px; font-size:14px; }QPushButton:hover { border-color:#2A3142; color:#E8ECF2; }"},
    {"#F5EDE0",
     "background-color:#FFF8F0; border-top:2px solid #F0D9BD; border-radius:0;",
     "font-size:24px; font-weight:bold; color:#2D1A08;",
     "font-size:14px; color:#5C3D22; padding-bottom:4px;",
     "QLineEdit { border:2px solid #F0D9BD; border-radius:10px; padding:6px 14px; font-size:15px; "
     "background:#FFFFFF; color:#2D1A08; }QLineEdit:focus { border-color:#FF7A45; }",
     "QPushButton { background:#FFF3E6; color:#FF7A45; border:none; border-radius:8px; padding:8px 16px; "
     "font-size:14px; }QPushButton:hover { background:#FFE8D5; }",
     "QPushButton { background:#FFF3E6; color:#5C3D22; border:none; border-radius:8px; padding:8px 16px; "
     "font-size:14px; }QPushButton:hover { background:#FFE8D5; }",
     "QPushButton { background:#FFF3E6; color:#FF7A45; border:1px solid #FFD0B0; border-radius:8px; "
     "padding:8px 16px; font-size:14px; }QPushButton:hover { background:#FFE8D5; }",
     "font-size:14px; font-weight:bold; color:#FF7A45;",
     "QPushButton { background:#FF7A45; color:#FFFFFF; border:none; border-radius:8px; padding:8px 24px; "
     "font-size:14px; font-weight:bold; }QPushButton:hover { background:#E8632A; }",
     "QPushButton { background:#FFF3E6; color:#5C3D22; border:none; border-radius:8px; padding:8px 24px; "
     "font-size:14px; }QPushButton:hover { background:#FFE8D5; color:#2D1A08; }"},
    {"#F0F2F8",
     "background-color:#FFFFFF; border-top:1px solid #E4E9F2; border-radius:12px 12px 0 0; padding:4px 0;",
     "font-size:22px; font-weight:800; color:#0F1520;",
     "font-size:13px; color:#475569; padding-bottom:4px;",
     "QLineEdit { border:1px solid #CDD5E0; border-radius:10px; padding:10px 14px 10px 36px; font-size:14px; "
     "background:#FFFFFF; color:#0F1520; }QLineEdit:focus { border-color:#1A73E8; background:#F7F9FC; }",
     "QPushButton { background:#EBF3FD; color:#1A73E8; border:1px solid rgba(26,115,232,0.12); border-radius:8px; "
     "padding:8px 16px; font-size:12px; }QPushButton:hover { background:#D6E8FC; }",
     "QPushButton { background:transparent; color:#94A3B8; border:none; border-radius:8px; padding:8px 16px; "
     "font-size:12px; }QPushButton:hover { color:#475569; }",
     "QPushButton { background:#EBF3FD; color:#1A73E8; border:1px solid rgba(26,115,232,0.2); border-radius:8px; "
     "padding:8px 16px; font-size:12px; }QPushButton:hover { background:#D6E8FC; }",
     "font-size:13px; font-weight:bold; color:#1A73E8;",
     "QPushButton { background:qlineargradient(x1:0,y1:0,x2:0,y2:1,stop:0 #1A73E8,stop:1 #1557C0); color:white; "
     "border:none; border-radius:10px; padding:10px 24px; font-size:14px; font-weight:bold; }QPushButton:hover { "
     "background:qlineargradient(x1:0,y1:0,x2:0,y2:1,stop:0 #1557C0,stop:1 #1A73E8); }QPushButton:disabled { "
     "background:#CDD5E0; color:#94A3B8; }",
     "QPushButton { background:transparent; color:#475569; border:1px solid #CDD5E0; border-radius:10px; "
     "padding:10px 24px; font-size:14px; }QPushButton:hover { border-color:#A0B4D0; color:#0F1520; }"},
};

struct CardRow {
    const char* card;
    const char* header;
    const char* headerHover;
    const char* desc;
    int arrowPx;
    int titlePx;
};

const CardRow kCards[theme::kCount] = {
    {"background-color:#141923; border-radius:12px; border:1px solid #1E2433; margin-bottom:4px;",
     "background:transparent; border-bottom:1px solid transparent;",
     "background:rgba(0,194,255,0.04);", "#535C6E", 14, 15},
    {"background-color:#FFFFFF; border-radius:14px; border:1px solid #F0D9BD; margin-bottom:6px;",
     "background:#FFF8F0; border-bottom:1px solid transparent; border-radius:14px 14px 0 0;",
     "background:#FFE8D5;", "#5C3D22", 16, 17},
    {"background-color:#FFFFFF; border-radius:12px; border:1px solid #E4E9F2; margin-bottom:4px;",
     "background:transparent; border-bottom:1px solid transparent;",
     "background:rgba(26,115,232,0.03);", "#475569", 14, 15},
};
// clang-format on

const char* const kBadgeColours[] = {"#4A90D9", "#E8923F", "#D94A4A"};

int row(int themeIndex)
{
    return themeIndex == theme::kDark || themeIndex == theme::kWarm ? themeIndex : theme::kLight;
}

QString str(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

PageSheets pageSheets(int themeIndex)
{
    const PageRow& r = kPages[row(themeIndex)];
    PageSheets sheets;
    sheets.page = QStringLiteral("QWidget#Phase2Page { background:%1; }"
                                 "QScrollArea#p2ScrollArea { background:transparent; border:none; }"
                                 "QWidget#p2ScrollInner { background:transparent; }"
                                 "QFrame#p2Toolbar { %2 }")
                      .arg(str(r.page), str(r.toolbar));
    sheets.title = str(r.title);
    sheets.subtitle = str(r.subtitle);
    sheets.search = str(r.search);
    sheets.selectSafe = str(r.selectSafe);
    sheets.restore = str(r.restore);
    sheets.remoteHelp = str(r.remoteHelp);
    sheets.count = str(r.count);
    sheets.execute = str(r.execute);
    sheets.skip = str(r.skip);
    return sheets;
}

CardSheets cardSheets(int themeIndex)
{
    const int index = row(themeIndex);
    const CardRow& r = kCards[index];
    const theme::ThemePalette& p = *theme::palette(index);
    CardSheets sheets;
    // Item rows and the description take the theme's text colours: without them they stay black on the dark
    // card.
    sheets.card = QStringLiteral("QWidget#groupCard { %1 }"
                                 "QFrame#groupHeader { %2 }"
                                 "QFrame#groupHeader:hover { %3 }"
                                 "QWidget#groupBody { background:transparent; }"
                                 "QLabel#groupDesc { color:%4; background:transparent; }"
                                 "QLabel#itemTitle { color:%5; }"
                                 "QLabel#itemDesc, QLabel#itemMarker { color:%6; }")
                      .arg(str(r.card), str(r.header), str(r.headerHover), str(r.desc), p.base.primaryText,
                           p.base.secondaryText)
                  // The box is drawn here in full: the platform style draws nothing readable on the themed card.
                  + QStringLiteral("QCheckBox#itemCheck::indicator { width:16px; height:16px; border-radius:4px; "
                                   "border:2px solid %1; background:transparent; }"
                                   "QCheckBox#itemCheck::indicator:checked { border:2px solid %2; background:%2; "
                                   "image:url(:/ICON/check.png); }")
                        .arg(p.base.secondaryText, p.base.accent);
    sheets.arrow =
        QStringLiteral("font-size:%1px; color:%2; background:transparent;").arg(r.arrowPx).arg(p.base.accent);
    sheets.title = QStringLiteral("font-size:%1px; font-weight:bold; color:%2; background:transparent;")
                       .arg(r.titlePx)
                       .arg(p.base.accent);
    return sheets;
}

QString badgeSheet(int riskLevel)
{
    return QStringLiteral("font-size:11px; font-weight:bold; color:%1; background:transparent; padding:2px 6px; "
                          "border-radius:4px;")
        .arg(QLatin1String(kBadgeColours[qBound(0, riskLevel, 2)]));
}

} // namespace Phase2Style
