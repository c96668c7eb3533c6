// Hostile change records (a stick anyone can write): reading one never crashes; a record that is accepted
// has a plain device identifier, a known run and a start time; every line is either a change or counted as
// unreadable; and a registry value read from a change keeps within its byte limit and a known type.
#include "engine/undo/ChangeJson.h"
#include "engine/undo/ChangeRecord.h"

#include <QRegularExpression>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_-]{1,64}$"));
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    ChangeRecord record;
    QString problem;
    if (!ChangeRecord::parse(bytes, record, problem)) {
        if (problem.isEmpty())
            std::abort();
        return 0;
    }
    if (!plain.match(record.header.device).hasMatch() || !record.header.started.isValid() ||
        (record.header.run != QLatin1String(ChangeRecord::kPhaseOne) &&
         record.header.run != QLatin1String(ChangeRecord::kPhaseTwo)))
        std::abort();
    if (record.changes.size() + record.unreadableLines > bytes.count('\n'))
        std::abort();
    constexpr int kLimit = 4096;
    for (const QJsonObject& change : record.changes) {
        std::optional<platform::RegValue> value;
        if (ChangeJson::valueFromJson(change.value(QStringLiteral("prior")), value, kLimit) && value &&
            (value->data.size() > kLimit || static_cast<std::uint32_t>(value->type) > 11))
            std::abort();
        ChangeJson::hiveNamed(change.value(QStringLiteral("hive")).toString());
        ChangeJson::viewNamed(change.value(QStringLiteral("view")).toString());
    }
    return 0;
}
