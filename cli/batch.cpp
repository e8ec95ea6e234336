#include "cli/batch.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <istream>
#include <mutex>
#include <ostream>
#include <sstream>
#include <thread>

#include "cli/cli_common.h"

namespace thermalyx::cli {
namespace {

using nlohmann::json;

// One input line from reading to writing.
struct Slot {
    std::size_t number = 0;
    std::string text;
    bool tooLong = false;
    std::string answer;  // empty for a blank line
    bool done = false;
    bool failed = false;
};

// Reads up to a line feed; false at the end of the input. Bytes past the limit
// are dropped, and the line is marked too long.
bool readLine(std::istream& in, std::string& text, bool& tooLong) {
    text.clear();
    tooLong = false;
    std::streambuf* buffer = in.rdbuf();
    bool any = false;
    for (;;) {
        const auto c = buffer->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            in.setstate(std::ios::eofbit);
            return any;
        }
        any = true;
        if (c == '\n') return true;
        if (text.size() < kMaxBatchLineBytes)
            text.push_back(static_cast<char>(c));
        else
            tooLong = true;
    }
}

bool hasDataOption(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(), [](const std::string& arg) {
        return arg == "--data" || arg.starts_with("--data=");
    });
}

std::string trimmedLineEnds(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

// Runs one line; its answer goes into the slot.
void answer(Slot& slot, const BatchOptions& options, const CommandRunner& run) {
    BatchLine line =
        slot.tooLong ? BatchLine{BatchLineKind::Refused, {}, {}, {}} : parseBatchLine(slot.text);
    if (slot.tooLong) {
        line.error = "the line is longer than " + std::to_string(kMaxBatchLineBytes) + " bytes";
    }
    if (line.kind == BatchLineKind::Blank) return;
    int exit = kExitBadLine;
    std::string text = line.error;
    if (line.kind == BatchLineKind::Command) {
        if (!options.dataFolder.empty() && !hasDataOption(line.args)) {
            line.args.insert(line.args.end(), {"--data", options.dataFolder});
        }
        std::ostringstream out;
        std::ostringstream err;
        try {
            exit = run(line.args, out, err);
        } catch (const std::exception& e) {
            err << "thermalyx-cli: " << e.what() << '\n';
            exit = kExitUsage;
        }
        text = trimmedLineEnds(exit == kExitOk ? out.str() : err.str());
        if (exit == kExitOk && text.empty()) text = "null";
        if (exit != kExitOk && text.empty()) {
            text = "thermalyx-cli " + line.args.front() + " exited with status " +
                   std::to_string(exit);
        }
    } else {
        text = "thermalyx-cli batch: " + text;
    }
    slot.failed = exit != kExitOk;
    slot.answer = batchAnswer(slot.number, line, exit, text);
}

int workersFor(int jobs) {
    if (jobs > 0) return jobs;
    return static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
}

}  // namespace

std::string batchAnswer(std::size_t number, const BatchLine& line, int exit,
                        std::string_view resultOrError) {
    std::string text = "{\"line\":" + std::to_string(number);
    if (line.id) text += ",\"id\":" + line.id->dump(-1, ' ', false, json::error_handler_t::replace);
    text += ",\"exit\":" + std::to_string(exit);
    if (exit == kExitOk) {
        text += ",\"result\":";
        text += resultOrError;
    } else {
        text +=
            ",\"error\":" +
            json(std::string(resultOrError)).dump(-1, ' ', false, json::error_handler_t::replace);
    }
    return text + '}';
}

int runBatch(std::istream& in, std::ostream& out, const BatchOptions& options,
             const CommandRunner& run, BatchCounts* counts) {
    const int workers = workersFor(options.jobs);
    const std::size_t window =
        options.window > 0 ? options.window : static_cast<std::size_t>(16 * workers);

    // Slots are kept in input order; first is the number of the front slot's
    // position since the start, next the position of the first not yet taken.
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Slot> slots;
    std::size_t first = 0;
    std::size_t next = 0;
    bool inputEnded = false;
    bool anyFailed = false;
    BatchCounts seen;

    auto work = [&] {
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [&] { return next < first + slots.size() || inputEnded; });
            if (next == first + slots.size()) return;  // the input ended and all is taken
            Slot& slot = slots[next - first];
            ++next;
            lock.unlock();
            answer(slot, options, run);
            lock.lock();
            slot.done = true;
            changed.notify_all();
        }
    };
    auto write = [&] {
        std::unique_lock lock(mutex);
        for (;;) {
            if (slots.empty() || !slots.front().done) {
                lock.unlock();
                out.flush();
                lock.lock();
            }
            changed.wait(lock, [&] {
                return (!slots.empty() && slots.front().done) || (inputEnded && slots.empty());
            });
            if (slots.empty()) return;
            Slot slot = std::move(slots.front());
            slots.pop_front();
            ++first;
            anyFailed = anyFailed || slot.failed;
            changed.notify_all();
            lock.unlock();
            if (!slot.answer.empty()) out << slot.answer << '\n';
            lock.lock();
        }
    };

    {
        std::vector<std::jthread> threads;
        for (int i = 0; i < workers; ++i) threads.emplace_back(work);
        threads.emplace_back(write);

        Slot slot;
        while (readLine(in, slot.text, slot.tooLong)) {
            slot.number = ++seen.lines;
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return slots.size() < window; });
            slots.push_back(std::move(slot));
            seen.mostInFlight = std::max(seen.mostInFlight, slots.size());
            changed.notify_all();
            slot = Slot{};
        }
        std::lock_guard lock(mutex);
        inputEnded = true;
        changed.notify_all();
    }  // the threads finish every line and end here

    out.flush();
    if (counts != nullptr) *counts = seen;
    if (in.bad()) return kExitBatchInputUnreadable;
    return anyFailed ? kExitBatchLineFailed : kExitBatchOk;
}

}  // namespace thermalyx::cli
