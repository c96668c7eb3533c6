#pragma once

#include <QString>

// The slim vertical scroll bar of the scrolling pages: 6 pixels wide, a rounded handle at least 20 pixels
// long and no arrow buttons. A grey that reads on the dark and the light pages alike.
QString thinScrollBarSheet();
