#pragma once

#include "platform/sim/SimChangeFile.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace platform::sim {

// A part of the simulated PC that keeps its own live form of a section of machine.json (the registry
// tree, the services, ...) and writes it back when the machine is saved.
class SimState {
public:
    virtual ~SimState() = default;
    virtual void store(nlohmann::json& document) const = 0;
};

// A simulated Windows PC: a folder holding machine.json (the profile) and drives/ (one folder per drive
// letter, holding real files). The groups of the simulated platform read and change it; every command run
// and every change is recorded in the journal; every change of state is also kept in the change file at
// once, and save() writes the whole state back, so that a later run sees it either way.
class SimMachine {
public:
    // Opens the machine in `folder`. A missing or empty folder is first filled with the embedded default
    // machine; a machine.json written by hand that lists "files" (or a folder without drives/) is first
    // made into its drives. Returns null with `error` set, before anything is changed, when machine.json
    // cannot be read or parsed or a member has the wrong type (see MachineSchema.h); with `error` set
    // when the recipe cannot be made.
    static std::unique_ptr<SimMachine> open(const std::filesystem::path& folder, std::string& error);

    // Opens a machine from a profile given in memory, materialising it into `folder` (which must be empty
    // or missing). Tests and benchmarks build machines this way.
    static std::unique_ptr<SimMachine> create(const std::filesystem::path& folder, const nlohmann::json& profile,
                                              std::string& error);

    const std::filesystem::path& folder() const { return folder_; }
    nlohmann::json& document() { return document_; }
    const nlohmann::json& document() const { return document_; }

    // The host path of a Windows path ("C:\Users\x" -> <folder>/drives/C/Users/x), resolving each part
    // without regard to case and never leaving the drive's folder. Empty for a path without a drive.
    std::filesystem::path hostPath(const std::wstring& windowsPath) const;

    // The Windows path of a host path inside drives/, the inverse of hostPath.
    std::wstring windowsPath(const std::filesystem::path& hostPath) const;

    void addState(const SimState* state);

    // Records one command or change: appended to journal.log at once. The lines are not kept in memory, so
    // that a long session (a cleanup of hundreds of thousands of files, many runs in one process) does not
    // grow with its journal.
    void journal(const std::string& line);
    // The lines this machine object has journalled, read back from journal.log.
    std::vector<std::string> journalLines() const;

    // Keeps one change of state in the change file as it happens (a line of the forms in MachineChange.h).
    void keep(const nlohmann::json& change);
    // Keeps `value` as the new member at `at`, for a group that holds its section in a live form of its own.
    void keep(const nlohmann::json::json_pointer& at, const nlohmann::json& value);
    // Keeps the document's own member at `at`, for a section the tools change in place.
    void keep(const nlohmann::json::json_pointer& at);

    // Writes machine.json (through a temporary file) and empties the change file it now holds; fails also
    // when a journal line could not be written.
    bool save(std::string& error);

    // One lock for the whole machine: the groups take it around each operation.
    std::recursive_mutex& mutex() const { return mutex_; }

private:
    explicit SimMachine(std::filesystem::path folder);

    std::filesystem::path folder_;
    nlohmann::json document_;
    std::vector<const SimState*> states_;
    SimChangeFile changes_;
    std::ofstream journalFile_;
    std::uintmax_t journalStart_ = 0; // the size of journal.log before this object's first line
    bool journalWritten_ = true;
    mutable std::recursive_mutex mutex_;
};

} // namespace platform::sim
