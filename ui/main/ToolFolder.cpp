#include "ui/main/ToolFolder.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

const ToolFolder kToolFolders[4] = {
    {"netFixBtn", "/../tools/网络驱动修复"},
    {"remoteBtn", "/../tools/远程协助"},
    {"toolsBtn", "/../tools/实用工具"},
    {"runtimeBtn", "/../tools/系统运行库修复DirectX修复"},
};

void openToolFolder(const QString& appDir, const QString& relativePath)
{
    const QString path = QDir::cleanPath(appDir + relativePath);
    QDir().mkpath(path);
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
