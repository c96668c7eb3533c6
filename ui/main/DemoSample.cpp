#include "ui/main/DemoSample.h"

namespace {

ScanReportBundle sampleReport()
{
    ScanReportBundle report;
    report.fastStartupEnabled = true;
    report.keepHibernation = true;
    report.fastStartupReason = QStringLiteral("空间充裕，建议启用快速启动");
    report.hibernationReason = QStringLiteral("快速启动依赖休眠文件，必须保持休眠");
    report.pagefileAdvice = QStringLiteral("保持系统自动管理");
    report.restoreAdvice = QStringLiteral("空间充裕，保持系统还原");

    report.startupItems = {
        {QStringLiteral("OneDrive"),
         QStringLiteral("\"C:\\Users\\demo\\AppData\\Local\\Microsoft\\OneDrive\\OneDrive.exe\" /background"),
         QStringLiteral("HKCU Run"), 2, 90, 0, false, true, QStringLiteral("🟢 安全")},
        {QStringLiteral("某加速器"), QStringLiteral("C:\\Users\\demo\\AppData\\Local\\Temp\\acc.exe"),
         QStringLiteral("HKLM Run"), 1, 45, 2, false, true, QStringLiteral("🔴 高风险")},
        {QStringLiteral("AppInit_DLLs"), QStringLiteral("C:\\ProgramData\\xxx.dll"), QStringLiteral("AppInit_DLLs"), 9,
         10, 2, true, false, QStringLiteral("🔴 高风险")},
    };

    JunkSoftwareHit installed;
    installed.id = QStringLiteral("adw-001");
    installed.name = QStringLiteral("PopFlash Helper");
    installed.nameCn = QStringLiteral("弹窗助手");
    installed.category = QStringLiteral("adware");
    installed.riskLevel = QStringLiteral("high");
    installed.dimension = QStringLiteral("已安装程序");
    JunkSoftwareHit running;
    running.id = QStringLiteral("adw-060");
    running.name = QStringLiteral("Kuaiya");
    running.nameCn = QStringLiteral("快压");
    running.category = QStringLiteral("adware");
    running.riskLevel = QStringLiteral("high");
    running.dimension = QStringLiteral("运行中进程");
    running.description = QStringLiteral("捆绑安装其他软件并弹出广告");
    running.evidencePaths = QStringList{QStringLiteral("C:\\Program Files (x86)\\Kuaiya\\"),
                                        QStringLiteral("C:\\ProgramData\\Kuaiya")};
    report.junkSoftware = {installed, running};

    BrowserCheckItem homepage;
    homepage.scope = QStringLiteral("Chrome");
    homepage.item = QStringLiteral("首页");
    homepage.value = QStringLiteral("http://www.portal-example.com/?tn=demo");
    homepage.expected = QStringLiteral("浏览器默认首页");
    homepage.abnormal = true;
    homepage.note = QStringLiteral("浏览器主页被修改");
    report.browserItems = {homepage};

    PopupWindowItem popup;
    popup.processName = QStringLiteral("xxx_ads.exe");
    popup.windowTitle = QStringLiteral("热门游戏推荐");
    popup.pid = 1234;
    popup.reason = QStringLiteral("从临时目录运行");
    report.popupWindows = {popup};

    ConflictAdvice antivirus;
    antivirus.category = QStringLiteral("antivirus");
    antivirus.title = QStringLiteral("检测到多个杀毒软件同时运行");
    antivirus.detail = QStringLiteral("示例杀毒A、示例卫士B");
    antivirus.suggestion = QStringLiteral("建议只保留一款杀毒软件");
    report.conflicts = {antivirus};
    return report;
}

} // namespace

Phase1Result demoSample()
{
    return Phase1Result{1520, 450, 1286, 12, 2, sampleReport()};
}
