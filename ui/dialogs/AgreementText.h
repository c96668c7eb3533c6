#pragma once

#include <QString>

// The end-user agreement shown before the first optimisation run, as rich text.
QString agreementHtml();
