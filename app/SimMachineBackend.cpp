#include "app/SimMachineBackend.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

QString machineFolder()
{
    const QString named = qEnvironmentVariable("TIDEWELL_MACHINE");
    if (!named.isEmpty())
        return named;
    QTemporaryDir temporary(QDir::tempPath() + QStringLiteral("/tidewell-machine-XXXXXX"));
    temporary.setAutoRemove(false);
    if (!temporary.isValid())
        return {};
    QTextStream(stdout) << "machine: " << temporary.path() << "\n";
    return temporary.path();
}

} // namespace

SimMachineBackend::SimMachineBackend(std::unique_ptr<platform::sim::SimMachine> machine)
    : machine(std::move(machine))
    , simulated(std::make_unique<platform::sim::SimPlatform>(*this->machine))
{
}

std::unique_ptr<SimMachineBackend> SimMachineBackend::open(QString& error)
{
    const QString folder = machineFolder();
    if (folder.isEmpty()) {
        error = QStringLiteral("cannot create a temporary machine folder");
        return nullptr;
    }
    std::string reason;
    auto machine = platform::sim::SimMachine::open(folder.toStdString(), reason);
    if (!machine) {
        error = QStringLiteral("cannot open the machine %1: %2").arg(folder, QString::fromStdString(reason));
        return nullptr;
    }
    return std::unique_ptr<SimMachineBackend>(new SimMachineBackend(std::move(machine)));
}

bool SimMachineBackend::save(QString& error)
{
    std::string reason;
    if (machine->save(reason))
        return true;
    error = QString::fromStdString(reason);
    return false;
}
