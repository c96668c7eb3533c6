#pragma once

#include "analysis/SignatureDatabase.h"
#include "platform/sim/DefaultMachine.h"
#include "support/TestMachine.h"

#include <QString>

// Small builders shared by the analysis tests: a Windows 10 profile with extra sections merged on top, and
// a signature database made in code.
namespace AnalysisMachine {

inline nlohmann::json profile(const nlohmann::json& extra)
{
    nlohmann::json base = TestMachine::windows10();
    base["environment"] = {{"USERNAME", "Lenovo"}};
    platform::sim::mergeProfile(base, extra);
    return base;
}

inline nlohmann::json file(const std::string& path, std::uint64_t size = 1024)
{
    return {{"path", path}, {"size", size}};
}

inline nlohmann::json textFile(const std::string& path, const std::string& content)
{
    return {{"path", path}, {"content", content}};
}

inline nlohmann::json folder(const std::string& path)
{
    return {{"path", path}, {"folder", true}};
}

inline AdwarePattern pattern(const QString& id, const QString& name)
{
    AdwarePattern p;
    p.id = id;
    p.name = name;
    p.nameCn = name + QStringLiteral("中文");
    p.category = QStringLiteral("adware");
    p.riskLevel = QStringLiteral("high");
    p.description = QStringLiteral("desc ") + id;
    return p;
}

inline SignatureDatabase database(const QVector<AdwarePattern>& patterns)
{
    SignatureDatabase db;
    db.patterns = patterns;
    db.loaded = !patterns.isEmpty();
    return db;
}

} // namespace AnalysisMachine
