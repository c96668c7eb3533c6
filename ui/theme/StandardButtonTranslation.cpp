#include "ui/theme/StandardButtonTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool installStandardButtonTranslation(const QString& appDir)
{
    const QString folders[] = {appDir + QStringLiteral("/translations"),
                               QLibraryInfo::location(QLibraryInfo::TranslationsPath)};
    // Owned by the application, which keeps it for as long as it runs.
    auto* translator = new QTranslator(QCoreApplication::instance());
    for (const QString& folder : folders) {
        if (translator->load(QStringLiteral("qtbase_zh_CN"), folder))
            return QCoreApplication::installTranslator(translator);
    }
    delete translator;
    return false;
}
