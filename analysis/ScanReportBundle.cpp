#include "analysis/ScanReportBundle.h"

int registerScanReportBundle()
{
    return qRegisterMetaType<ScanReportBundle>("ScanReportBundle");
}
