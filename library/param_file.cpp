#include "library/param_file.h"

#include <cstdint>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

#include "library/device_library.h"
#include "library/file_handle.h"
#include "library/little_endian.h"

namespace thermalyx {

StoredParamRecords walkParamRecords(std::string_view bytes) {
    StoredParamRecords walk;
    std::size_t position = 0;
    while (position < bytes.size()) {
        const std::size_t keyEnd = bytes.find('\0', position);
        if (keyEnd == std::string_view::npos) {
            walk.end = ParamWalkEnd::UnterminatedKey;
            break;
        }
        StoredParamRecord record;
        record.key = std::string(bytes.substr(position, keyEnd - position));
        const std::size_t after = bytes.size() - (keyEnd + 1);
        if (after < kParamMarkerSize + kParamValuesSize) {
            walk.end = ParamWalkEnd::CutShort;
            walk.cutKey = std::move(record.key);
            walk.bytesAfterCutKey = after;
            break;
        }
        const std::size_t valuesStart = keyEnd + 1 + kParamMarkerSize;
        for (std::size_t i = 0; i < record.values.size(); ++i)
            record.values[i] =
                readLittleEndianDouble(bytes.substr(valuesStart + sizeof(double) * i));
        walk.records.push_back(std::move(record));
        position = valuesStart + kParamValuesSize;
    }
    return walk;
}

bool parseParamRecords(std::string_view bytes, std::vector<DeviceParamRecord>& records) {
    if (bytes.empty()) return false;
    const StoredParamRecords walk = walkParamRecords(bytes);
    for (const StoredParamRecord& stored : walk.records) {
        DeviceParamRecord record;
        if (!splitDeviceKey(stored.key, record.series, record.typeNumber)) return false;
        record.values = stored.values;
        records.push_back(std::move(record));
    }
    return walk.end == ParamWalkEnd::Complete;
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
