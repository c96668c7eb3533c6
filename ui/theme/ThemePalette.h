#pragma once

#include <QString>

// The three looks of the interface as data: every colour and size the style sheets of the window, the
// progress page and the about dialog take from the theme lives in one table, so a look is changed by
// editing one row. Theme indices: 0 dark (gaming and office), 1 warm with larger type (elderly users),
// 2 light (experienced users, the default).
namespace theme {

constexpr int kDark = 0;
constexpr int kWarm = 1;
constexpr int kLight = 2;
constexpr int kCount = 3;
constexpr int kDefault = kLight;

// Colours shared by every themed surface.
struct BaseColours {
    QString accent;
    QString accentDeep;    // second stop of the accent gradients
    QString accentPressed; // pressed start button
    QString onAccent;      // text on an accent background
    QString page;          // window and page backgrounds
    QString primaryText;
    QString secondaryText;
    QString mutedText;
};

// The window's title bar, home labels and footer.
struct HomeLook {
    QString bar;
    QString barBorder;
    int barBorderPx;
    QString safety;
    int safetyPx;
    int titlePx;
    int subtitlePx;
    int tipPx;
    int footerNamePx;
    int footerNameWeight;
    int footerVersionPx;
};

// The window's six button sheets.
struct ButtonLook {
    int startPx;
    int startRadius;
    QString startPadding;
    QString modeBorder;
    int modeRadius;
    QString modePadding;
    int modePx;
    QString modeIdle;
    QString modeIdleBorder;
    QString modeIdleHover;
    QString modeIdleHoverBorder;
    int toolPx;
    QString toolHover;
    int smallMinWidth;
    int smallMinHeight;
    int smallPx;
    QString smallHover;
};

// The progress page (ring, step texts, tip box).
struct ProgressLook {
    QString ringTrack;
    int titlePx;
    int descPx;
    int tipPx;
    QString tipText;
    QString tipBackground;
    int tipRadius;
    QString tipPadding;
};

// The about dialog. A font size of 0 keeps the size the dialog gives the label itself.
struct AboutLook {
    QString frame;
    QString titleBar;
    QString titleBarBorder;
    int titleBarBorderPx;
    QString title;
    QString close;
    int closePx;
    int closeRadius;
    QString logo;
    int logoPx;
    QString name;
    int namePx;
    QString version;
    int versionPx;
    QString description;
    int descriptionPx;
    QString copyright;
    int copyrightPx;
    QString ok;
    QString okHover;
    int okPx;
    QString link;
    QString linkText;
    QString linkBorder;
    int linkPx;
    QString linkHover;
    QString linkHoverText;
};

struct ThemePalette {
    BaseColours base;
    HomeLook home;
    ButtonLook buttons;
    ProgressLook progress;
    AboutLook about;
};

// The palette of a theme, or null for an index outside 0..2.
const ThemePalette* palette(int themeIndex);

} // namespace theme
