#pragma once

#include <QString>

// The dotted version numbers of the update check ("1.1.1.5"), kept apart from the network code so that the
// rules can be tested with plain strings.
namespace version {

// The longest version text a reply may carry.
constexpr int kMaxLength = 32;

// The version shown in the footer ("V1.1.1.5") as the service expects it: trimmed, and with leading
// characters dropped until the first decimal digit, so "V1.1.1.5" gives "1.1.1.5" and "Vx" gives "".
QString fromFooterText(const QString& footerText);

// True for 1 to kMaxLength characters of ASCII digits and dots with at least one digit.
bool isPlain(const QString& text);

// Compares two dotted numbers part by part as numbers of any length ("1.10" > "1.9", "01.2" == "1.2");
// missing or empty parts count as 0 ("1.2" == "1.2.0"). Returns <0, 0 or >0. Both must be plain or empty.
int compare(const QString& a, const QString& b);

} // namespace version
