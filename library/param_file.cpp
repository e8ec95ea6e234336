#include "library/param_file.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

#include "library/device_library.h"
#include "library/file_handle.h"

namespace thermalyx {
namespace {

double littleEndianDouble(const char* bytes) {
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | static_cast<unsigned char>(bytes[i]);
    return std::bit_cast<double>(bits);
}

}  // namespace

bool parseParamRecords(std::string_view bytes, std::vector<DeviceParamRecord>& records) {
    if (bytes.empty()) return false;
    std::size_t position = 0;
    while (position < bytes.size()) {
        const std::size_t keyEnd = bytes.find('\0', position);
        if (keyEnd == std::string_view::npos) return false;  // key never ends
        DeviceParamRecord record;
        if (!splitDeviceKey(bytes.substr(position, keyEnd - position), record.series,
                            record.typeNumber)) {
            return false;
        }
        const std::size_t valuesStart = keyEnd + 1 + kParamMarkerSize;
        if (bytes.size() - (keyEnd + 1) < kParamMarkerSize + kParamValuesSize) return false;
        for (int i = 0; i < kParamCount; ++i) {
            record.values[static_cast<std::size_t>(i)] = littleEndianDouble(
                bytes.data() + valuesStart + sizeof(double) * static_cast<std::size_t>(i));
        }
        records.push_back(std::move(record));
        position = valuesStart + kParamValuesSize;
    }
    return true;
}

bool readParamFile(const std::string& path, std::vector<DeviceParamRecord>& records) {
    FileHandle file;
    if (!file.open(path, FileAccess::Read, FileDisposition::OpenExisting)) return false;
    const std::uint64_t size = file.size();
    if (size == 0 || size > std::numeric_limits<std::size_t>::max()) return false;
    std::string buffer;
    try {
        buffer.assign(static_cast<std::size_t>(size), '\0');
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    const long long got = file.read(buffer.data(), buffer.size());
    file.close();
    if (got <= 0) return false;
    // A file that shrank since its size was taken is parsed as far as it was read.
    return parseParamRecords(std::string_view(buffer).substr(0, static_cast<std::size_t>(got)),
                             records);
}

}  // namespace thermalyx
