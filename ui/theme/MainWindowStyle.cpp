#include "ui/theme/MainWindowStyle.h"

namespace theme {

namespace {

QString px(int size)
{
    return QString::number(size) + QStringLiteral("px");
}

QString verticalGradient(const QString& top, const QString& bottom)
{
    return QStringLiteral("qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2)").arg(top, bottom);
}

QString windowSheet(const ThemePalette& p)
{
    const HomeLook& h = p.home;
    const QString bar = QStringLiteral("background-color: %1; border-%2: %3 solid %4;");
    return QStringLiteral("* { font-family: \"Microsoft YaHei\"; }\n"
                          "QWidget#contentWidget { background: transparent; }\n"
                          "#appIcon { margin-top: 32px; }\n")
        + QStringLiteral("QWidget#Optimizer { background-color: %1; }\n").arg(p.base.page)
        + QStringLiteral("QWidget#Optimizer > QWidget#titleBar { %1 }\n")
              .arg(bar.arg(h.bar, QStringLiteral("bottom"), px(h.barBorderPx), h.barBorder))
        + QStringLiteral("QWidget#titleBar > QLabel#safetyLabel { color: %1; font-size: %2; font-weight: 600; }\n")
              .arg(h.safety, px(h.safetyPx))
        + QStringLiteral("QWidget#contentWidget > QLabel#titleLabel { color: %1; font-size: %2; font-weight: 800; "
                         "margin-top: 16px; }\n")
              .arg(p.base.accent, px(h.titlePx))
        + QStringLiteral("QWidget#contentWidget > QLabel#subtitleLabel { color: %1; font-size: %2; font-weight: 400; "
                         "margin-top: 8px; }\n")
              .arg(p.base.secondaryText, px(h.subtitlePx))
        + QStringLiteral("QWidget#contentWidget > QLabel#tipLabel { color: %1; font-size: %2; margin-top: 14px; }\n")
              .arg(p.base.mutedText, px(h.tipPx))
        + QStringLiteral("QWidget#Optimizer > QWidget#footerBar { %1 }\n")
              .arg(bar.arg(h.bar, QStringLiteral("top"), px(h.barBorderPx), h.barBorder))
        + QStringLiteral("QWidget#footerBar > QLabel#footerName { color: %1; font-size: %2; font-weight: %3; }\n")
              .arg(p.base.primaryText, px(h.footerNamePx), QString::number(h.footerNameWeight))
        + QStringLiteral("QWidget#footerBar > QLabel#footerVersion { color: %1; font-size: %2; }\n")
              .arg(p.base.mutedText, px(h.footerVersionPx));
}

QString startSheet(const ThemePalette& p)
{
    const ButtonLook& b = p.buttons;
    return QStringLiteral("QPushButton { background: %1; color: %2; border: none; font-size: %3; font-weight: 600; "
                          "border-radius: %4; padding: %5; }\n")
               .arg(verticalGradient(p.base.accent, p.base.accentDeep), p.base.onAccent, px(b.startPx),
                    px(b.startRadius), b.startPadding)
        + QStringLiteral("QPushButton:hover { background: %1; }\n")
              .arg(verticalGradient(p.base.accentDeep, p.base.accent))
        + QStringLiteral("QPushButton:pressed { background: %1; }\n").arg(p.base.accentPressed);
}

QString modeShape(const ButtonLook& b)
{
    return QStringLiteral("border-radius: %1; padding: %2; font-size: %3; font-weight: 600;")
        .arg(px(b.modeRadius), b.modePadding, px(b.modePx));
}

QString modeActiveSheet(const ThemePalette& p)
{
    const ButtonLook& b = p.buttons;
    return QStringLiteral("QPushButton { background-color: %1; border: %2 solid %1; color: %3; %4 }\n")
        .arg(p.base.accent, b.modeBorder, p.base.onAccent, modeShape(b));
}

QString modeIdleSheet(const ThemePalette& p)
{
    const ButtonLook& b = p.buttons;
    return QStringLiteral("QPushButton { background-color: %1; border: %2 solid %3; color: %4; %5 }\n")
               .arg(b.modeIdle, b.modeBorder, b.modeIdleBorder, p.base.secondaryText, modeShape(b))
        + QStringLiteral("QPushButton:hover { background-color: %1; border-color: %2; color: %3; }\n")
              .arg(b.modeIdleHover, b.modeIdleHoverBorder, p.base.primaryText);
}

QString toolSheet(const ThemePalette& p)
{
    const ButtonLook& b = p.buttons;
    return QStringLiteral("QPushButton { background: transparent; color: %1; border: none; font-size: %2; "
                          "border-radius: 8px; padding: 8px 16px; }\n")
               .arg(p.base.secondaryText, px(b.toolPx))
        + QStringLiteral("QPushButton:hover { background: %1; color: %2; }\n").arg(b.toolHover, p.base.accent);
}

QString smallBase(const ThemePalette& p)
{
    const ButtonLook& b = p.buttons;
    return QStringLiteral("QPushButton { background: transparent; color: %1; border: none; min-width: %2; "
                          "min-height: %3; font-size: %4; }\n")
        .arg(p.base.secondaryText, px(b.smallMinWidth), px(b.smallMinHeight), px(b.smallPx));
}

QString smallSheet(const ThemePalette& p)
{
    return smallBase(p)
        + QStringLiteral("QPushButton:hover { background: %1; color: %2; }\n")
              .arg(p.buttons.smallHover, p.base.primaryText);
}

QString closeSheet(const ThemePalette& p)
{
    return smallBase(p) + QStringLiteral("QPushButton:hover { background: #EF4444; color: white; }\n");
}

} // namespace

MainWindowSheets mainWindowSheets(const ThemePalette& palette)
{
    return {windowSheet(palette),   startSheet(palette), modeActiveSheet(palette), modeIdleSheet(palette),
            toolSheet(palette),     smallSheet(palette), closeSheet(palette)};
}

} // namespace theme
