#include "platform/sim/SimMachine.h"

#include "platform/Text.h"
#include "platform/sim/DefaultMachine.h"
#include "platform/sim/MachineSchema.h"

#include <cwctype>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace platform::sim {

namespace {

bool isEmptyOrMissing(const fs::path& folder)
{
    std::error_code ec;
    if (!fs::exists(folder, ec))
        return true;
    return fs::is_directory(folder, ec) && fs::is_empty(folder, ec);
}

bool readDocument(const fs::path& file, nlohmann::json& document, std::string& error)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = "cannot read " + file.string();
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    try {
        document = nlohmann::json::parse(text.str());
    } catch (const nlohmann::json::exception& e) {
        error = file.string() + " is not valid JSON: " + e.what();
        return false;
    }
    return checkMachineSchema(document, file.string(), error);
}

// A folder written by hand: its machine.json lists the files to make ("files"), or it has no drives yet.
bool isRecipe(const fs::path& folder, const nlohmann::json& document)
{
    std::error_code ec;
    return document.contains("files") || !fs::is_directory(folder / "drives", ec);
}

// The entry of `parent` whose name equals `name` without regard to case, or `name` itself.
fs::path resolvePart(const fs::path& parent, const std::string& name)
{
    std::error_code ec;
    fs::path exact = parent / name;
    if (fs::symlink_status(exact, ec).type() != fs::file_type::not_found)
        return exact;
    std::wstring wanted = lower(fromUtf8(name));
    for (fs::directory_iterator it(parent, ec), end; !ec && it != end; it.increment(ec)) {
        if (lower(fromUtf8(it->path().filename().string())) == wanted)
            return it->path();
    }
    return exact;
}

} // namespace

SimMachine::SimMachine(fs::path folder)
    : folder_(std::move(folder))
    , changes_(folder_ / "changes.jsonl")
{
}

std::unique_ptr<SimMachine> SimMachine::open(const fs::path& folder, std::string& error)
{
    if (isEmptyOrMissing(folder) && !materialise(folder, defaultMachineProfile(), error))
        return nullptr;
    std::unique_ptr<SimMachine> machine(new SimMachine(folder));
    if (!readDocument(folder / "machine.json", machine->document_, error))
        return nullptr;
    // The drives are made from the recipe once; the machine then runs on what was made.
    if (isRecipe(folder, machine->document_) &&
        (!materialise(folder, machine->document_, error) ||
         !readDocument(folder / "machine.json", machine->document_, error)))
        return nullptr;
    machine->changes_.replay(machine->document_);
    return machine;
}

std::unique_ptr<SimMachine> SimMachine::create(const fs::path& folder, const nlohmann::json& profile,
                                               std::string& error)
{
    if (!isEmptyOrMissing(folder)) {
        error = folder.string() + " is not empty";
        return nullptr;
    }
    // A profile built in code as {} is null: an empty machine.
    const nlohmann::json& given = profile.is_null() ? nlohmann::json::object() : profile;
    if (!checkMachineSchema(given, (folder / "machine.json").string(), error) || !materialise(folder, given, error))
        return nullptr;
    return open(folder, error);
}

fs::path SimMachine::hostPath(const std::wstring& windowsPath) const
{
    if (windowsPath.size() < 2 || windowsPath[1] != L':' || !std::iswalpha(static_cast<std::wint_t>(windowsPath[0])))
        return {};
    std::string drive(1, static_cast<char>(std::towupper(static_cast<std::wint_t>(windowsPath[0]))));
    fs::path root = folder_ / "drives" / drive;
    fs::path path = root;
    std::vector<fs::path> stack;
    std::string rest = toUtf8(windowsPath.substr(2));
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = rest.find_first_of("\\/", start);
        if (end == std::string::npos)
            end = rest.size();
        std::string part = rest.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (!stack.empty()) {
                stack.pop_back();
                path = stack.empty() ? root : stack.back();
            }
            continue;
        }
        path = resolvePart(path, part);
        stack.push_back(path);
    }
    return path;
}

std::wstring SimMachine::windowsPath(const fs::path& host) const
{
    fs::path drives = folder_ / "drives";
    fs::path relative = host.lexically_relative(drives);
    std::wstring result;
    bool first = true;
    for (const auto& part : relative) {
        std::wstring name = fromUtf8(part.string());
        if (first) {
            result = name + L":";
            first = false;
        } else {
            result += L"\\" + name;
        }
    }
    if (result.size() == 2)
        result += L"\\";
    return result;
}

void SimMachine::addState(const SimState* state)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    states_.push_back(state);
}

void SimMachine::journal(const std::string& line)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (!journalFile_.is_open()) {
        std::error_code ec;
        const std::uintmax_t size = fs::file_size(folder_ / "journal.log", ec);
        journalStart_ = ec ? 0 : size;
        journalFile_.open(folder_ / "journal.log", std::ios::binary | std::ios::app);
    }
    // Flushed line by line: a run that is ended half way still leaves the record of what it changed.
    journalFile_ << line << '\n' << std::flush;
    journalWritten_ = journalWritten_ && journalFile_.good();
}

void SimMachine::keep(const nlohmann::json& change)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    changes_.append(change);
}

void SimMachine::keep(const nlohmann::json::json_pointer& at, const nlohmann::json& value)
{
    keep(nlohmann::json{{"set", at.to_string()}, {"value", value}});
}

void SimMachine::keep(const nlohmann::json::json_pointer& at)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    keep(at, document_.at(at));
}

std::vector<std::string> SimMachine::journalLines() const
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    std::vector<std::string> lines;
    if (!journalFile_.is_open())
        return lines;
    std::ifstream in(folder_ / "journal.log", std::ios::binary);
    in.seekg(static_cast<std::streamoff>(journalStart_));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool SimMachine::save(std::string& error)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    for (const SimState* state : states_)
        state->store(document_);
    fs::path target = folder_ / "machine.json";
    fs::path temporary = folder_ / "machine.json.tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << document_.dump(2) << '\n';
        if (!out) {
            error = "cannot write " + temporary.string();
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temporary, target, ec);
    if (ec) {
        error = "cannot replace " + target.string() + ": " + ec.message();
        return false;
    }
    if (!changes_.clear(error))
        return false;
    if (!journalWritten_) {
        error = "cannot write the journal " + (folder_ / "journal.log").string();
        return false;
    }
    return true;
}

} // namespace platform::sim
