#include "support/TestMachine.h"

#include "platform/sim/DefaultMachine.h"

#include <stdexcept>

nlohmann::json TestMachine::windows10()
{
    return {
        {"system", {{"systemDirectory", "C:\\Windows\\system32"}, {"version", {{"major", 10}, {"minor", 0}, {"build", 19045}}}}},
        {"registry",
         {{"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
           {{"CurrentMajorVersionNumber", 10}, {"CurrentMinorVersionNumber", 0}, {"CurrentBuildNumber", "19045"}}}}},
        {"wmi",
         {{"Win32_Processor", {{{"ProcessorId", "BFEBFBFF000906EA"}}}},
          {"Win32_BaseBoard", {{{"SerialNumber", "MB-1234"}}}}}},
    };
}

TestMachine::TestMachine(const nlohmann::json& profile)
{
    std::string error;
    machine_ = platform::sim::SimMachine::create((dir_.path() + QStringLiteral("/machine")).toStdString(), profile, error);
    if (!machine_)
        throw std::runtime_error(error);
    simulated_ = std::make_unique<platform::sim::SimPlatform>(*machine_);
}

QString TestMachine::hostPath(const QString& windowsPath) const
{
    return QString::fromStdString(machine_->hostPath(windowsPath.toStdWString()).string());
}

QStringList TestMachine::journal() const
{
    QStringList lines;
    for (const auto& line : machine_->journalLines())
        lines.append(QString::fromStdString(line));
    return lines;
}

void TestMachine::reopen()
{
    std::string error;
    if (!machine_->save(error))
        throw std::runtime_error(error);
    simulated_.reset();
    auto folder = machine_->folder();
    machine_.reset();
    machine_ = platform::sim::SimMachine::open(folder, error);
    if (!machine_)
        throw std::runtime_error(error);
    simulated_ = std::make_unique<platform::sim::SimPlatform>(*machine_);
}
