#include "engine/VirtualPrinterCheck.h"

#include "text/PlatformText.h"

namespace {

const char* const kVirtualPrinterMarks[] = {"pdf", "xps", "onenote", "print to"};

} // namespace

bool VirtualPrinterCheck::hasVirtualPrinter(platform::Devices& devices)
{
    std::vector<platform::PrinterInfo> printers;
    if (!platform::succeeded(devices.printers(printers)))
        return false;
    for (const auto& printer : printers) {
        if (isVirtualPrinterName(toQString(printer.name)))
            return true;
    }
    return false;
}

bool VirtualPrinterCheck::isVirtualPrinterName(const QString& name)
{
    const QString lowered = name.toLower();
    for (const char* mark : kVirtualPrinterMarks) {
        if (lowered.contains(QLatin1String(mark)))
            return true;
    }
    return false;
}
