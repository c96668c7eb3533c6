#pragma once

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <string>

namespace platform::sim {

// changes.jsonl beside machine.json: every change of the machine's state as one JSON line, flushed as it is
// made, the way Windows keeps its registry and service settings the moment they are written. A run ended
// half way therefore leaves the machine changed up to that moment, without rewriting machine.json per change.
class SimChangeFile {
public:
    explicit SimChangeFile(std::filesystem::path file);

    // Applies every whole line to `document` in order (see MachineChange.h). A last line cut short by an
    // ended process is skipped and cut off, so that the next change starts on a line of its own.
    void replay(nlohmann::json& document);

    // Appends one change; the file is made on the first one. A change that cannot be written is still kept
    // by the next save, which writes the whole machine.
    void append(const nlohmann::json& change);

    // Empties the file after machine.json took its changes in; false when it could not be emptied.
    bool clear(std::string& error);

private:
    std::filesystem::path file_;
    std::ofstream out_;
};

} // namespace platform::sim
