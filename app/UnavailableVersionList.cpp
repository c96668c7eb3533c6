#include "app/UnavailableVersionList.h"

bool UnavailableVersionList::load(NewVersion& /*newVersion*/, QString& error)
{
    error = QStringLiteral("这个更新程序无法核实新版本的文件清单，所以没有更新。请从官网下载新版本。");
    return false;
}
