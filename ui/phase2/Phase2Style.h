#pragma once

#include <QString>

// The phase-2 page's style sheets per theme. Index 0 is the dark look, 1 the warm one and any other index
// the light one.
namespace Phase2Style {

// The sheets of the page's own widgets.
struct PageSheets {
    QString page;
    QString title;
    QString subtitle;
    QString search;
    QString selectSafe;
    QString restore;
    QString remoteHelp;
    QString count;
    QString execute;
    QString skip;
};

// The sheets of one group card.
struct CardSheets {
    QString card;
    QString arrow;
    QString title;
};

PageSheets pageSheets(int themeIndex);
CardSheets cardSheets(int themeIndex);

// The colour of a risk badge (0 slight, 1 mild, 2 moderate); the same in every theme.
QString badgeSheet(int riskLevel);

} // namespace Phase2Style
