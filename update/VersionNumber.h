#pragma once

#include <QString>

// The dotted version numbers of the update check and the release channel ("2.0.0"), kept apart from the network
// code so that the rules can be tested with plain strings.
namespace version {

// This build's version: the project's version in CMake, the one source of every version the program shows,
// sends, compares and writes to its log.
constexpr const char* kRunning = TIDEWELL_VERSION;
// The same as the window shows it.
constexpr const char* kShown = "V" TIDEWELL_VERSION;

// The longest version text a reply may carry.
constexpr int kMaxLength = 32;

// The version shown in the footer ("V2.0.0") as the service expects it: trimmed, and with leading
// characters dropped until the first decimal digit, so "V2.0.0" gives "2.0.0" and "Vx" gives "".
QString fromFooterText(const QString& footerText);

// True for 1 to kMaxLength characters of ASCII digits and dots with at least one digit.
bool isPlain(const QString& text);

// Compares two dotted numbers part by part as numbers of any length ("1.10" > "1.9", "01.2" == "1.2");
// missing or empty parts count as 0 ("1.2" == "1.2.0"). Returns <0, 0 or >0. Both must be plain or empty.
int compare(const QString& a, const QString& b);

} // namespace version
