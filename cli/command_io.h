// Where a command of thermalyx-cli writes and where it gets its device library.
// A command run from main() writes to the standard streams and reads the
// library afresh; a line of a batch writes into its own buffers and shares one
// library per data folder with every other line.
#pragma once

#include <cstddef>
#include <deque>
#include <iosfwd>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "library/device_library.h"

namespace thermalyx::cli {

// A library as the commands read it: loaded once, then never changed.
struct OpenedLibrary {
    std::shared_ptr<const DeviceLibrary> library;
    bool loaded = false;
    std::string loadErrors;  // what loading printed ("Error= %d")
};

// Reads the library of a data folder; empty: the default folder.
OpenedLibrary loadLibrary(const std::string& dataFolder);

class LibrarySource {
public:
    virtual ~LibrarySource() = default;
    virtual OpenedLibrary open(const std::string& dataFolder) = 0;
};

// One command, one load.
class LibraryLoader final : public LibrarySource {
public:
    OpenedLibrary open(const std::string& dataFolder) override { return loadLibrary(dataFolder); }
};

// Reads each folder once and hands the same library to every caller, from any
// thread. Keeps the most recently read folders only.
class LibraryCache final : public LibrarySource {
public:
    explicit LibraryCache(std::size_t capacity = 8) : capacity_(capacity) {}
    OpenedLibrary open(const std::string& dataFolder) override;
    std::size_t loads() const;  // how many times a library was read

private:
    mutable std::mutex mutex_;
    std::size_t capacity_;
    std::size_t loads_ = 0;
    std::map<std::string, OpenedLibrary> libraries_;
    std::deque<std::string> order_;  // oldest first
};

struct CommandIo {
    std::ostream& out;
    std::ostream& err;
    LibrarySource& libraries;
    bool compactJson = false;  // the JSON on one line, as a batch answer carries it
};

// Runs one command line (the command's name first) in this process, with its
// output and messages going to io. Returns its exit status. Help and version
// print as they would from the program.
int runCommand(const std::vector<std::string>& args, CommandIo& io);

}  // namespace thermalyx::cli
