#include "ui/theme/ThemePalette.h"

namespace theme {

namespace {

// clang-format off
const ThemePalette kPalettes[kCount] = {
    // 0: dark
    {
        // accent, accentDeep, accentPressed, onAccent, page, primaryText, secondaryText, mutedText
        {"#00C2FF", "#009FD4", "#0088B0", "#0B0F17", "#080B14", "#E8ECF2", "#8B94A6", "#535C6E"},
        // bar, barBorder, barBorderPx, safety, safetyPx, titlePx, subtitlePx, tipPx,
        // footerNamePx, footerNameWeight, footerVersionPx
        {"#0B0F17", "#1E2433", 1, "#00D68F", 12, 32, 15, 13, 12, 500, 10},
        // startPx, startRadius, startPadding, modeBorder, modeRadius, modePadding, modePx,
        // modeIdle, modeIdleBorder, modeIdleHover, modeIdleHoverBorder, toolPx, toolHover,
        // smallMinWidth, smallMinHeight, smallPx, smallHover
        {16, 12, "14px 56px", "1.5px", 20, "6px 18px", 13,
         "#10141E", "#2A3142", "#181D28", "#253D52", 13, "rgba(0,194,255,0.08)",
         40, 30, 14, "rgba(255,255,255,0.08)"},
        // ringTrack, titlePx, descPx, tipPx, tipText, tipBackground, tipRadius, tipPadding
        {"#1E2433", 20, 14, 13, "#535C6E", "#141923", 12, "10px 16px"},
        // frame, titleBar, titleBarBorder, titleBarBorderPx, title, close, closePx, closeRadius,
        // logo, logoPx, name, namePx, version, versionPx, description, descriptionPx, copyright, copyrightPx,
        // ok, okHover, okPx, link, linkText, linkBorder, linkPx, linkHover, linkHoverText
        {"#151A2D", "#0F1219", "#1E2230", 1, "#FFFFFF", "#B0B8C4", 16, 4,
         "#00C2FF", 0, "#FFFFFF", 0, "#7A808C", 0, "#B0B8C4", 13, "#5A6070", 0,
         "qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #5271FF, stop:1 #00C2FF)",
         "qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #00C2FF, stop:1 #5271FF)", 14,
         "rgba(255,255,255,0.08)", "#B0B8C4", "1px solid rgba(255,255,255,0.15)", 13,
         "rgba(0,194,255,0.15)", "#00C2FF"},
    },
    // 1: warm, larger type
    {
        {"#FF7A45", "#E8632A", "#D45520", "#FFFFFF", "#F5EDE0", "#2D1A08", "#5C3D22", "#A0886A"},
        {"#FFF8F0", "#F0D9BD", 2, "#23A535", 14, 36, 17, 15, 13, 600, 11},
        {18, 14, "16px 60px", "2px", 22, "8px 20px", 15,
         "#FFF3E6", "#F0D9BD", "#FFE8D5", "#DDB88C", 14, "#FFE8D5",
         44, 34, 16, "#FFE8D5"},
        {"#F0D9BD", 24, 16, 15, "#5C3D22", "#FFF8EE", 16, "12px 20px"},
        {"#FFF8F0", "#FFE8D6", "#FFD4B8", 2, "#4A3B32", "#5D4037", 18, 6,
         "#FF7A45", 56, "#4A3B32", 20, "#8D6E63", 14, "#5D4037", 15, "#A1887F", 12,
         "#FF7A45", "#FF8C60", 16,
         "#FFFFFF", "#5D4037", "2px solid #FFD0B0", 15, "#FFE0CC", "#FF7A45"},
    },
    // 2: light
    {
        {"#1A73E8", "#1557C0", "#1355A8", "#FFFFFF", "#F0F2F8", "#0F1520", "#475569", "#94A3B8"},
        {"#FFFFFF", "#E4E9F2", 1, "#10B981", 12, 32, 15, 13, 12, 500, 10},
        {16, 12, "14px 56px", "1.5px", 20, "6px 18px", 13,
         "#F7F9FC", "#CDD5E0", "#FFFFFF", "#A0B4D0", 13, "#F1F5F9",
         40, 30, 14, "#F1F5F9"},
        {"#F7F9FC", 20, 14, 13, "#94A3B8", "#F7F9FC", 12, "10px 16px"},
        {"#FFFFFF", "#F8F9FA", "#E8EAED", 1, "#202124", "#5F6368", 16, 4,
         "#1A73E8", 0, "#202124", 0, "#5F6368", 0, "#5F6368", 13, "#9AA0A6", 0,
         "qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #1A73E8, stop:1 #4285F4)",
         "qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #1557B0, stop:1 #3367D6)", 14,
         "#FFFFFF", "#3C4043", "1px solid #DADCE0", 13, "#F1F3F4", "#1A73E8"},
    },
};
// clang-format on

} // namespace

const ThemePalette* palette(int themeIndex)
{
    if (themeIndex < 0 || themeIndex >= kCount)
        return nullptr;
    return &kPalettes[themeIndex];
}

} // namespace theme
