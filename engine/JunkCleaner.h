#pragma once

#include <QString>
#include <QStringList>

#include <set>
#include <string>

class StageCore;

// Stage 1 of the one-click run: deletes error reports, framework, browser and shader caches, the font
// cache, delivery-optimisation downloads, temporary files and thumbnail caches, flushes the DNS cache and
// starts the Windows disk cleanup in the background. Every item logs what it freed; the result is the
// megabytes of everything really deleted.
class JunkCleaner {
public:
    explicit JunkCleaner(StageCore& core);
    int run(const QString& drive);
    // The services the clean-up stops for a moment and starts again.
    static constexpr const char* kPausedServices[] = {"wuauserv", "FontCache", "DoSvc"};

private:
    void cleanErrorReports();
    void cleanFrameworkTemporaryFiles();
    void cleanUpdateCacheOnFullDisk();
    bool diskIsNearlyFull();
    bool updateIsBusy();
    void cleanShaderCaches();
    void rebuildFontCache();
    void cleanDeliveryOptimisation();
    void flushDns();
    void cleanBrowsersTemporaryFilesAndThumbnails();

    void clean(const QString& folder, const QStringList& filters = {});
    QStringList subfolders(const QString& folder, const QString& prefix = QString());
    bool folderExists(const QString& folder);
    QString expand(const QString& text);
    void progress(int percent, const QString& text);

    StageCore& core_;
    QString drive_;
    qint64 total_ = 0;
    std::set<std::wstring> emptied_; // the folders cleaned without a filter, as normalised paths
};
