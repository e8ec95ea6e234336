#include "cli/command_io.h"

#include <exception>
#include <optional>
#include <sstream>

#include <CLI/CLI.hpp>

#include "cli/cli_common.h"

namespace thermalyx::cli {
namespace {

// A library with the stream its load wrote to, so that the library never
// points at a stream that is gone.
struct LoadedLibrary {
    explicit LoadedLibrary(const std::string& folder) {
        if (!folder.empty())
            library.emplace(folder.back() == '/' ? folder : folder + '/');
        else
            library.emplace();
    }
    std::ostringstream errors;
    std::optional<DeviceLibrary> library;
};

}  // namespace

OpenedLibrary loadLibrary(const std::string& dataFolder) {
    auto loaded = std::make_shared<LoadedLibrary>(dataFolder);
    DeviceLibrary& library = *loaded->library;
    library.setErrorStream(loaded->errors);
    OpenedLibrary opened;
    opened.loaded = library.load();
    opened.loadErrors = loaded->errors.str();
    opened.library = std::shared_ptr<const DeviceLibrary>(loaded, &library);
    return opened;
}

OpenedLibrary LibraryCache::open(const std::string& dataFolder) {
    std::lock_guard lock(mutex_);
    if (auto found = libraries_.find(dataFolder); found != libraries_.end()) return found->second;
    OpenedLibrary opened = loadLibrary(dataFolder);
    ++loads_;
    if (capacity_ > 0 && order_.size() >= capacity_) {
        libraries_.erase(order_.front());  // callers still holding it keep it alive
        order_.pop_front();
    }
    libraries_.emplace(dataFolder, opened);
    order_.push_back(dataFolder);
    return opened;
}

std::size_t LibraryCache::loads() const {
    std::lock_guard lock(mutex_);
    return loads_;
}

void registerJsonCommands(CLI::App& app, CommandIo& io, int& exitStatus, std::string_view only) {
    const auto wanted = [only](std::initializer_list<std::string_view> names) {
        if (only.empty()) return true;
        for (std::string_view name : names) {
            if (name == only) return true;
        }
        return false;
    };
    if (wanted({"library", "find"})) registerLibraryCommands(app, io, exitStatus);
    if (wanted({"steady", "cycle"})) registerCalculationCommands(app, io, exitStatus);
    if (wanted({"sweep"})) registerSweepCommand(app, io, exitStatus);
    if (wanted({"rank", "capability"})) registerAnalysisCommands(app, io, exitStatus);
    if (wanted({"lifetime"})) registerLifetimeCommand(app, io, exitStatus);
}

int runCommand(const std::vector<std::string>& args, CommandIo& io) {
    CLI::App app{"Thermalyx: IGBT module losses and temperatures from the command line",
                 "thermalyx-cli"};
    app.require_subcommand(1);
    int exitStatus = kExitOk;
    registerJsonCommands(app, io, exitStatus, args.empty() ? std::string_view() : args.front());
    try {
        // The parser takes the arguments last first.
        app.parse(std::vector<std::string>(args.rbegin(), args.rend()));
    } catch (const CLI::ParseError& e) {
        return app.exit(e, io.out, io.err);
    } catch (const std::exception& e) {
        io.err << "thermalyx-cli: " << e.what() << '\n';
        return kExitUsage;
    }
    return exitStatus;
}

}  // namespace thermalyx::cli
