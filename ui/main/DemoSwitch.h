#pragma once

#include <QStringList>

// The demonstration switch: "cs", "--cs" or "/cs" anywhere among the arguments, matched exactly and with
// case, shows sample results instead of running on the machine.
bool hasDemoSwitch(const QStringList& arguments);
