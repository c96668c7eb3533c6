#include "analysis/BrowserChecks.h"

#include "analysis/BrowserFiles.h"

namespace {

const ChromiumBrowser kChromium[] = {
    {"Chrome", "\\Google\\Chrome\\User Data\\Default\\Preferences", "\\Google\\Chrome\\User Data\\Default\\Extensions",
     "SOFTWARE\\Policies\\Google\\Chrome"},
    {"Edge", "\\Microsoft\\Edge\\User Data\\Default\\Preferences", "\\Microsoft\\Edge\\User Data\\Default\\Extensions",
     "SOFTWARE\\Policies\\Microsoft\\Edge"},
};

const char* const kKnownHomepages[] = {"google", "bing", "baidu"};
const char* const kKnownSearchEngines[] = {"google", "bing", "baidu", "sogou"};
const char* const kKnownFirefoxHomepages[] = {"about:home", "mozilla", "google", "baidu"};
const platform::Hive kPolicyHives[] = {platform::Hive::LocalMachine, platform::Hive::CurrentUser};

constexpr std::uint32_t kMaxPolicyBytes = 8192;
constexpr std::uint32_t kMaxProxyBytes = 4096;

template <std::size_t N>
bool containsAny(const QString& value, const char* const (&words)[N])
{
    for (const char* word : words) {
        if (value.contains(QLatin1String(word), Qt::CaseSensitive))
            return true;
    }
    return false;
}

} // namespace

BrowserChecks::BrowserChecks(platform::Platform& platform)
    : machine_(platform)
{
}

bool BrowserChecks::isKnownHomepage(const QString& value)
{
    return containsAny(value, kKnownHomepages);
}

bool BrowserChecks::isKnownSearchEngine(const QString& value)
{
    return containsAny(value, kKnownSearchEngines);
}

bool BrowserChecks::isKnownFirefoxHomepage(const QString& value)
{
    return containsAny(value, kKnownFirefoxHomepages);
}

void BrowserChecks::addCheck(QVector<BrowserCheckItem>& items, const QString& scope, const QString& item,
                             const QString& value, const QString& expected, bool abnormal, const QString& note)
{
    if (!abnormal && value.isEmpty())
        return;
    items.append({scope, item, value.left(kMaxValueChars), expected, abnormal, note});
}

void BrowserChecks::run(QVector<BrowserCheckItem>& items) const
{
    const QString localAppData = machine_.environment(QStringLiteral("LOCALAPPDATA"));
    const QString roamingAppData = machine_.environment(QStringLiteral("APPDATA"));
    for (const ChromiumBrowser& browser : kChromium)
        checkChromium(items, browser, localAppData);
    checkFirefox(items, roamingAppData);
    checkProxy(items);
    checkHosts(items);
    for (const ChromiumBrowser& browser : kChromium)
        checkExtensions(items, browser, localAppData);
}

void BrowserChecks::checkChromium(QVector<BrowserCheckItem>& items, const ChromiumBrowser& browser,
                                  const QString& localAppData) const
{
    const QString scope = QLatin1String(browser.scope);
    QByteArray preferences;
    if (!localAppData.isEmpty())
        machine_.readFile(localAppData + QLatin1String(browser.preferences), MachineQuery::kMaxFileBytes, preferences);

    const QString homepage = BrowserFiles::chromiumHomepage(preferences);
    if (!homepage.isEmpty())
        addCheck(items, scope, QStringLiteral("首页"), homepage, QStringLiteral("浏览器默认首页"),
                 !isKnownHomepage(homepage));
    const QString keyword =
        BrowserFiles::jsonString(preferences, {QStringLiteral("default_search_provider"), QStringLiteral("keyword")});
    if (!keyword.isEmpty())
        addCheck(items, scope, QStringLiteral("搜索引擎"), keyword, QStringLiteral("常用搜索引擎"),
                 !isKnownSearchEngine(keyword));

    for (const platform::Hive hive : kPolicyHives) {
        const auto key = machine_.openKey(hive, QLatin1String(browser.policyKey));
        QString policy;
        if (key && MachineQuery::readString(*key, QStringLiteral("HomepageLocation"), kMaxPolicyBytes, policy))
            addCheck(items, scope, QStringLiteral("组策略-首页"), policy, QStringLiteral("浏览器默认"),
                     !isKnownHomepage(policy));
    }
}

void BrowserChecks::checkFirefox(QVector<BrowserCheckItem>& items, const QString& roamingAppData) const
{
    if (roamingAppData.isEmpty())
        return;
    const QString profiles = roamingAppData + QStringLiteral("\\Mozilla\\Firefox\\Profiles\\");
    if (!machine_.isFolder(profiles))
        return;
    for (const QString& profile : machine_.subFolders(profiles)) {
        QByteArray prefs;
        if (!machine_.readFile(MachineQuery::join(MachineQuery::join(profiles, profile), QStringLiteral("prefs.js")),
                               MachineQuery::kMaxFileBytes, prefs))
            continue;
        const QString homepage = BrowserFiles::firefoxHomepage(prefs);
        if (!homepage.isEmpty())
            addCheck(items, QStringLiteral("Firefox"), QStringLiteral("首页"), homepage, QStringLiteral("浏览器默认"),
                     !isKnownFirefoxHomepage(homepage));
    }
}

void BrowserChecks::checkProxy(QVector<BrowserCheckItem>& items) const
{
    const auto key = machine_.openKey(platform::Hive::CurrentUser,
                                      QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings"));
    platform::RegValue enabled;
    if (!key || !platform::succeeded(key->queryValue(L"ProxyEnable", enabled, 4)) || enabled.asDword().value_or(0) == 0)
        return;
    QString server;
    MachineQuery::readString(*key, QStringLiteral("ProxyServer"), kMaxProxyBytes, server);
    addCheck(items, QStringLiteral("系统级"), QStringLiteral("代理设置"), server, QStringLiteral("无代理"), !server.isEmpty(),
             QStringLiteral("系统代理已启用，可能是全局代理或劫持"));
}

void BrowserChecks::checkHosts(QVector<BrowserCheckItem>& items) const
{
    const QString systemRoot = machine_.environment(QStringLiteral("SystemRoot"));
    QByteArray hosts;
    if (systemRoot.isEmpty() ||
        !machine_.readFile(systemRoot + QStringLiteral("\\System32\\drivers\\etc\\hosts"), MachineQuery::kMaxFileBytes,
                           hosts))
        return;
    const int redirected = BrowserFiles::redirectedSiteLines(hosts);
    if (redirected > 0)
        addCheck(items, QStringLiteral("系统级"), QStringLiteral("Hosts文件"),
                 QStringLiteral("%1 条常见站点被重定向").arg(redirected), QStringLiteral("无异常条目"), true);
}

void BrowserChecks::checkExtensions(QVector<BrowserCheckItem>& items, const ChromiumBrowser& browser,
                                    const QString& localAppData) const
{
    const QString folder = localAppData + QLatin1String(browser.extensions);
    if (localAppData.isEmpty() || !machine_.isFolder(folder))
        return;
    const int count = machine_.subFolders(folder).size();
    if (count > kMaxExtensions)
        addCheck(items, QLatin1String(browser.scope), QStringLiteral("扩展数量"), QStringLiteral("%1 个").arg(count),
                 QStringLiteral("≤15 个"), true, QStringLiteral("浏览器扩展数量异常偏多，可能存在捆绑扩展"));
}
