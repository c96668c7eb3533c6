#pragma once

#include "engine/undo/ChangeRecord.h"
#include "engine/undo/RegistryPlace.h"
#include "platform/Platform.h"

#include <QHash>
#include <QJsonObject>
#include <QStringList>
#include <QVector>

#include <functional>
#include <optional>

// Puts the prior states of one change record back, newest change first, and services the run stopped are
// started again last, once their start types are back. Every thing the run changed gives one line, named as
// the optimisation named it (ChangeNames) however many changes it took: "…：已恢复", "…：已是原状" or
// "…：恢复失败（…）", so that a second restore of the same record changes nothing and says so. Changes
// outside ChangeScope and lines that cannot be read are not acted on; each kind is reported once, with its
// count, at the end. A moved value is put back as one unit with its copy (MoveBack).
class ChangeRestorer
{
public:
    struct Summary {
        bool refused = false; // the record belongs to another PC or stick, or its times are false: nothing was done
        int restored = 0;
        int alreadySo = 0;
        int failed = 0;
        int ignored = 0;
        int unreadable = 0;
        QStringList lines;

        // Everything the record holds was read and is as it was before the run: the record may be marked undone.
        bool whole() const { return !refused && failed == 0 && unreadable == 0; }
    };

    explicit ChangeRestorer(platform::Platform& machine = platform::current());

    // `onLine` receives each line as it is made. `device` and `machine` identify this stick and this PC.
    Summary restore(const ChangeRecord& record, const QString& device, const QString& machine,
                    const std::function<void(const QString&)>& onLine = {});

    // The line that says what the restore cannot bring back.
    static QString irreversibleNote();

private:
    // PartOfMove: the line of a copy whose move was handled as a unit; it says nothing of its own.
    enum class Result { Restored, AlreadySo, Failed, Ignored, Unreadable, PartOfMove };
    struct Step {
        Result result = Result::Unreadable;
        QString reason;
    };
    // The changes of one named thing still to come, and what those done so far came to.
    struct Thing {
        int changesLeft = 0;
        std::optional<Step> outcome;
        void merge(const Step& step);
    };

    Step restoreOne(const QJsonObject& change);
    Step registryValue(const QJsonObject& change);
    Step movedValue(const QJsonObject& change);
    // The line that refuses the record, or empty when it may be applied.
    static QString refusal(const ChangeRecord& record, const QString& device, const QString& machine);
    Step adapterValue(const QJsonObject& change);
    Step registryKey(const QJsonObject& change);
    Step serviceStart(const QJsonObject& change);
    Step serviceStopped(const QJsonObject& change);
    Step task(const QJsonObject& change);
    Step setting(const QJsonObject& change);
    Step putValue(platform::RegistryKey& key, const QString& name, const std::optional<platform::RegValue>& prior);
    void report(int change, const Step& step, Summary& summary, const std::function<void(const QString&)>& onLine);
    // Every line goes to the summary, the run log and `onLine`.
    static void emitLine(const QString& line, Summary& summary, const std::function<void(const QString&)>& onLine);

    platform::Platform& machine_;
    QVector<RegistryPlace> movedCopies_; // the copies of the moves met so far in this restore
    QStringList names_;                  // what each change of the record is called (ChangeNames)
    QHash<QString, Thing> open_;
};
