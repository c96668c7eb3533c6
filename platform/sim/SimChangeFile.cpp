#include "platform/sim/SimChangeFile.h"

#include "platform/sim/MachineChange.h"

namespace fs = std::filesystem;

namespace platform::sim {

SimChangeFile::SimChangeFile(fs::path file)
    : file_(std::move(file))
{
}

void SimChangeFile::replay(nlohmann::json& document)
{
    std::ifstream in(file_, std::ios::binary);
    if (!in)
        return;
    std::uintmax_t whole = 0;
    for (std::string line; std::getline(in, line);) {
        if (in.eof())
            break;
        whole += line.size() + 1;
        const auto change = nlohmann::json::parse(line, nullptr, false);
        if (!change.is_discarded())
            applyMachineChange(document, change);
    }
    in.close();
    std::error_code ec;
    if (fs::file_size(file_, ec) > whole && !ec)
        fs::resize_file(file_, whole, ec);
}

void SimChangeFile::append(const nlohmann::json& change)
{
    if (!out_.is_open())
        out_.open(file_, std::ios::binary | std::ios::app);
    out_ << change.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n' << std::flush;
}

bool SimChangeFile::clear(std::string& error)
{
    out_.close();
    std::error_code ec;
    if (!fs::exists(file_, ec))
        return true;
    fs::resize_file(file_, 0, ec);
    if (ec) {
        error = "cannot empty the change file " + file_.string() + ": " + ec.message();
        return false;
    }
    return true;
}

} // namespace platform::sim
