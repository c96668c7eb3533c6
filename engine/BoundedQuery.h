#pragma once

#include <QObject>
#include <QVariant>

#include <functional>

class QTimer;

// One blocking question to the machine (WMI, the print spooler, the system proxy), asked on a thread of its
// own so that the window keeps painting and answering while it waits. The outcome reaches `done` in the
// GUI thread exactly once: the answer, or "no answer" when the call has not returned within the limit; an
// answer arriving later is dropped. The thread is never waited for: it ends when the call returns and then
// deletes itself, so the call may touch only what it captured by value and the process-wide platform.
class BoundedQuery : public QObject {
    Q_OBJECT

public:
    enum class Outcome { Answered, TimedOut };
    using Call = std::function<QVariant()>;
    using Done = std::function<void(Outcome outcome, const QVariant& answer)>;

    // Every question of the window gives up after this long, however many tools it tries in turn.
    static constexpr int kLimitMs = 10000;

    explicit BoundedQuery(QObject* parent = nullptr);

    // Asks unless a question is still pending (false then: the pending one's `done` stays the only one).
    bool start(Call call, Done done, int limitMs = kLimitMs);
    bool isPending() const { return pending; }
    // Forgets the pending question: its `done` never runs.
    void cancel();

private:
    void onAnswer(quint64 question, const QVariant& answer);
    void onTimeout();
    void finish(Outcome outcome, const QVariant& answer);

    QTimer* timer;
    Done pendingDone;
    quint64 question = 0;
    bool pending = false;
};
