#pragma once

#include "analysis/MachineQuery.h"
#include "analysis/ScanReportBundle.h"

// Where one Chromium-based browser keeps what the checks read.
struct ChromiumBrowser {
    const char* scope;
    const char* preferences; // below the local application-data folder
    const char* extensions;  // below the local application-data folder
    const char* policyKey;   // under HKLM and HKCU
};

// The usual signs of browser and network hijacking: homepages and search engines of Chrome, Edge and
// Firefox that are not well-known ones, homepages forced by policy, a system proxy, redirections of popular
// sites in the hosts file, and too many browser extensions. Normal settings with a value are kept too.
class BrowserChecks {
public:
    explicit BrowserChecks(platform::Platform& platform);

    void run(QVector<BrowserCheckItem>& items) const;

    // Appends a record with `value` cut to 120 characters; a normal result without a value is dropped.
    static void addCheck(QVector<BrowserCheckItem>& items, const QString& scope, const QString& item,
                         const QString& value, const QString& expected, bool abnormal, const QString& note = {});

    // Case-sensitive tests on the text as found.
    static bool isKnownHomepage(const QString& value);
    static bool isKnownSearchEngine(const QString& value);
    static bool isKnownFirefoxHomepage(const QString& value);

    static constexpr int kMaxValueChars = 120;
    static constexpr int kMaxExtensions = 15;

private:
    void checkChromium(QVector<BrowserCheckItem>& items, const ChromiumBrowser& browser, const QString& localAppData) const;
    void checkFirefox(QVector<BrowserCheckItem>& items, const QString& roamingAppData) const;
    void checkProxy(QVector<BrowserCheckItem>& items) const;
    void checkHosts(QVector<BrowserCheckItem>& items) const;
    void checkExtensions(QVector<BrowserCheckItem>& items, const ChromiumBrowser& browser, const QString& localAppData) const;
    QString policyHomepage(const QString& policyKey) const;

    MachineQuery machine_;
};
