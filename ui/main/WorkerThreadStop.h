#pragma once

class QThread;

// Stops a worker thread the way the window always does: quit its event loop, wait at most 3000 ms, then
// release it with deleteLater. A thread still busy after the wait is detached from its parent and deletes
// itself when it finally ends, because destroying a running QThread would abort the whole program.
void stopWorkerThread(QThread* thread);

constexpr unsigned long kWorkerStopWaitMs = 3000;
