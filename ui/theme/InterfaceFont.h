#pragma once

#include <QStringList>

#include <functional>

// The interface names "Microsoft YaHei" everywhere; its substitutes are the families Qt tries when that
// family is missing and, in order, for the characters it lacks. They are chosen from the families the
// system really has, one per role: Latin text of similar widths (so that "100%" still fits its label),
// simplified-Chinese text, and the symbols and emoji of the texts. A substitute the system lacks is never
// named: on Windows such a name sends the font engine looking for a family that is not there.
//
// Windows 7 to 11 have Microsoft YaHei (SimSun on older installs) and Segoe UI Symbol; Windows 8 and later
// also Segoe UI Emoji. Elsewhere the roles fall to Liberation Sans, Noto Sans CJK SC or WenQuanYi Micro Hei,
// and Noto Color Emoji. A character no chosen family has shows as the font's plain missing-glyph box.
//
// `isUsable` answers whether the system has a family as a scalable font. On a Chinese Windows the font
// database lists "微软雅黑" and knows "Microsoft YaHei" only as an alias, so a look-up in its list of names
// is not enough. A font without outlines (under Wine, a Linux colour emoji font made of bitmaps) draws no
// text on Windows' font engine and is never chosen.
QStringList interfaceFontSubstitutes(const std::function<bool(const QString&)>& isUsable);

// Installs interfaceFontSubstitutes() for what the font database reports (aliases included).
void substituteInterfaceFont();
