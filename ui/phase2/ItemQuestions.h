#pragma once

#include <functional>

class QWidget;

// The questions two phase-2 items ask the moment they are ticked: how many restore points "H2" keeps and
// how large "A2" lets the event logs grow. Each returns true when the user chose a value (stored in the
// out-parameter) and false when the item should be unticked again: the question was cancelled, or there is
// nothing to clean. The dialogs are themed (ThemedInput) and run through DialogRunner.
namespace ItemQuestions {

// Counts the system's restore points; a negative count means the listing could not be read.
using RestorePointCounter = std::function<int()>;
constexpr int kCountUnreadable = -1;
// The count the window passes when the counter gave no answer in time.
constexpr int kCountTimedOut = -2;

bool askRestorePointsToKeep(QWidget* parent, int themeIndex, int restorePoints, int& keepN);
bool askEventLogSize(QWidget* parent, int themeIndex, int& sizeMB);

} // namespace ItemQuestions
