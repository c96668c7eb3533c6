#pragma once

#include "platform/Devices.h"

#include <QString>

// Tells whether the machine has a printer that prints to a file (PDF, XPS, OneNote, "Print to ..."), which
// depends on the print workflow service.
class VirtualPrinterCheck {
public:
    // Local and connected printers; false when there is none, the enumeration fails or none matches.
    static bool hasVirtualPrinter(platform::Devices& devices);

    static bool isVirtualPrinterName(const QString& name);
};
