// The device parameter file: records of a zero-terminated device key, a
// four-byte marker and 44 little-endian doubles, one after the other.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "library/device_records.h"

namespace thermalyx {

// Bytes between a record's key and its values (the marker "STRF", not checked).
inline constexpr std::size_t kParamMarkerSize = 4;
// Bytes of a record's values.
inline constexpr std::size_t kParamValuesSize = kParamCount * sizeof(double);

// One record as stored, its key not yet split into series and type number.
struct StoredParamRecord {
    std::string key;
    std::array<double, kParamCount> values{};
};

enum class ParamWalkEnd { Complete, UnterminatedKey, CutShort };

// The whole records of the bytes, in order, and where the walk ended: at the
// end of the bytes, at a key without its terminating zero, or in a record cut
// short (its key and the bytes that follow the key's zero are kept).
struct StoredParamRecords {
    std::vector<StoredParamRecord> records;
    ParamWalkEnd end = ParamWalkEnd::Complete;
    std::string cutKey;
    std::size_t bytesAfterCutKey = 0;
};

StoredParamRecords walkParamRecords(std::string_view bytes);

// Appends the records held in bytes to records, in order. False when a key has
// no terminating zero, a key is no device key, or the last record is cut
// short; the records before the faulty one are appended all the same. Empty
// bytes hold no record and fail.
bool parseParamRecords(std::string_view bytes, std::vector<DeviceParamRecord>& records);

// Reads the parameter file at path into records. False when it is missing,
// empty or unreadable, or its content fails parseParamRecords.
bool readParamFile(const std::string& path, std::vector<DeviceParamRecord>& records);

}  // namespace thermalyx
