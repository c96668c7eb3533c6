#include "analysis/PopupWindowAnalyzer.h"

#include "analysis/PopupRules.h"
#include "text/PlatformText.h"

#include <atomic>

namespace {

// The analysis whose enumeration is under way, if any.
std::atomic<PopupWindowAnalyzer*> activeAnalysis{nullptr};

constexpr int kMaxClassChars = 255;
constexpr int kMaxTitleChars = 511;
constexpr std::size_t kMaxImagePathChars = 259;

class ActiveAnalysis {
public:
    explicit ActiveAnalysis(PopupWindowAnalyzer* analysis)
    {
        PopupWindowAnalyzer* none = nullptr;
        owns_ = activeAnalysis.compare_exchange_strong(none, analysis);
    }
    ~ActiveAnalysis()
    {
        if (owns_)
            activeAnalysis.store(nullptr);
    }
    ActiveAnalysis(const ActiveAnalysis&) = delete;
    ActiveAnalysis& operator=(const ActiveAnalysis&) = delete;
    bool owns() const { return owns_; }

private:
    bool owns_ = false;
};

QString fileNameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('\\')) + 1);
}

} // namespace

PopupWindowAnalyzer::PopupWindowAnalyzer(platform::Platform& platform, const SignatureDatabase& database)
    : platform_(platform)
    , machine_(platform)
    , trust_(machine_)
    , database_(database)
{
}

void PopupWindowAnalyzer::run(QVector<PopupWindowItem>& popups)
{
    ActiveAnalysis guard(this);
    if (!guard.owns())
        return;
    ownPid_ = platform_.processes.currentProcessId();
    std::vector<platform::WindowInfo> windows;
    if (!platform::succeeded(platform_.windows.enumerate(windows)))
        return;
    for (const platform::WindowInfo& window : windows)
        examine(window, popups);
}

void PopupWindowAnalyzer::examine(const platform::WindowInfo& window, QVector<PopupWindowItem>& popups) const
{
    if (!window.visible || (window.exStyle & kToolWindowStyle))
        return;
    if (PopupRules::isShellClass(toQString(window.className).left(kMaxClassChars)))
        return;
    const QString title = toQString(window.title).left(kMaxTitleChars).trimmed();
    if (title.isEmpty() || window.pid == 0 || window.pid == ownPid_)
        return;
    const QString imagePath = imagePathOf(window.pid);
    const QString why = PopupRules::reason(imagePath, title, trust_.verdict(imagePath));
    if (why.isEmpty())
        return;
    const QString processName = fileNameOf(imagePath);
    if (PopupRules::isTrustedProcess(processName, database_.whitelistProcessNames) || popups.size() >= kMaxRecords)
        return;
    popups.append({processName, title, static_cast<int>(window.pid), false, true, why});
}

QString PopupWindowAnalyzer::imagePathOf(std::uint32_t pid) const
{
    std::wstring path;
    if (!platform::succeeded(platform_.processes.imagePath(pid, path)) || path.size() > kMaxImagePathChars)
        return {};
    return toQString(path);
}
