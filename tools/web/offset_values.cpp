#include "web/offset_values.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "web/offset_space.h"

namespace ulvo::tools::web {

namespace {

using nlohmann::json;

// The simulator keeps a position as a fixed-point number: 8 bytes hold a latitude
// in units of 90 / (10001750 * 2^32) degrees and a longitude in 360 / 2^64
// degrees; the 4-byte forms are their high halves.
double DegreesPerUnit(ValueType type, uint32_t size) {
    const double twoTo32 = 4294967296.0;
    if (type == ValueType::kLat) {
        return size == 8 ? 90.0 / (10001750.0 * twoTo32) : 90.0 / 10001750.0;
    }
    return size == 8 ? 360.0 / (twoTo32 * twoTo32) : 360.0 / twoTo32;
}

uint64_t LoadLittle(const uint8_t* bytes, uint32_t size) {
    uint64_t value = 0;
    for (uint32_t i = 0; i < size; ++i) {
        value |= uint64_t(bytes[i]) << (8 * i);
    }
    return value;
}

void StoreLittle(uint64_t value, uint32_t size, std::vector<uint8_t>& bytes) {
    for (uint32_t i = 0; i < size; ++i) {
        bytes.push_back(uint8_t(value >> (8 * i)));
    }
}

int64_t SignExtend(uint64_t value, uint32_t size) {
    if (size == 8) {
        return int64_t(value);
    }
    const uint64_t sign = uint64_t(1) << (8 * size - 1);
    return int64_t((value ^ sign) - sign);
}

// A whole number, also when a client sends it as 310.0.
bool WholeNumber(const json& value, int64_t& signedValue, uint64_t& unsignedValue, bool& negative) {
    if (value.is_number_unsigned()) {
        unsignedValue = value.get<uint64_t>();
        negative = false;
        return true;
    }
    if (value.is_number_integer()) {
        signedValue = value.get<int64_t>();
        negative = signedValue < 0;
        unsignedValue = uint64_t(signedValue);
        return true;
    }
    if (value.is_number_float()) {
        const double number = value.get<double>();
        if (std::trunc(number) != number || std::abs(number) >= 9.2e18) {
            return false;
        }
        signedValue = int64_t(number);
        negative = number < 0;
        unsignedValue = uint64_t(signedValue);
        return true;
    }
    return false;
}

std::string EncodeWhole(ValueType type, uint32_t size, const json& value,
                        std::vector<uint8_t>& bytes) {
    int64_t signedValue = 0;
    uint64_t unsignedValue = 0;
    bool negative = false;
    if (!WholeNumber(value, signedValue, unsignedValue, negative)) {
        return "a whole number is needed";
    }
    const int bits = int(8 * size);
    if (type == ValueType::kUint) {
        const uint64_t highest = bits == 64 ? ~uint64_t(0) : (uint64_t(1) << bits) - 1;
        if (negative || unsignedValue > highest) {
            return "the value does not fit " + std::to_string(size) + " unsigned bytes";
        }
    } else {
        const int64_t highest =
            bits == 64 ? std::numeric_limits<int64_t>::max() : (int64_t(1) << (bits - 1)) - 1;
        const bool tooHigh = negative ? false : unsignedValue > uint64_t(highest);
        if (tooHigh || (negative && signedValue < -highest - 1)) {
            return "the value does not fit " + std::to_string(size) + " signed bytes";
        }
    }
    StoreLittle(unsignedValue, size, bytes);
    return "";
}

std::string EncodeBits(uint32_t size, const json& value, std::vector<uint8_t>& bytes,
                       std::vector<uint8_t>& mask) {
    bytes.assign(size, 0);
    mask.assign(size, 0);
    if (!value.is_array()) {
        return "bits take a list of {\"bit\": N, \"value\": true or false}";
    }
    for (size_t i = 0; i < value.size(); ++i) {
        // Either a list of edits or the whole list of booleans, bit 0 first.
        const json& item = value[i];
        size_t bit = i;
        json on = item;
        if (item.is_object()) {
            const auto found = item.find("bit");
            if (found == item.end() || !found->is_number_unsigned()) {
                return "a bit edit needs \"bit\": a bit number";
            }
            bit = found->get<size_t>();
            on = item.value("value", json());
        }
        if (bit >= size_t(size) * 8) {
            return "bit " + std::to_string(bit) + " is past the " + std::to_string(size * 8) +
                   " bits declared";
        }
        if (!on.is_boolean() && !on.is_number_integer()) {
            return "a bit is true or false";
        }
        const bool set = on.is_boolean() ? on.get<bool>() : on.get<int64_t>() != 0;
        mask[bit / 8] |= uint8_t(1u << (bit % 8));
        if (set) {
            bytes[bit / 8] |= uint8_t(1u << (bit % 8));
        }
    }
    return "";
}

}  // namespace

bool ParseValueType(std::string_view name, ValueType& type) {
    static const std::pair<std::string_view, ValueType> kNames[] = {
        {"int", ValueType::kInt},       {"uint", ValueType::kUint}, {"float", ValueType::kFloat},
        {"string", ValueType::kString}, {"bits", ValueType::kBits}, {"lat", ValueType::kLat},
        {"lon", ValueType::kLon},
    };
    for (const auto& [text, named] : kNames) {
        if (text == name) {
            type = named;
            return true;
        }
    }
    return false;
}

std::string DeclarationProblem(ValueType type, uint32_t size, uint64_t address) {
    bool sizeOk = false;
    switch (type) {
        case ValueType::kInt:
        case ValueType::kUint:
            sizeOk = size == 1 || size == 2 || size == 4 || size == 8;
            break;
        case ValueType::kFloat:
        case ValueType::kLat:
        case ValueType::kLon:
            sizeOk = size == 4 || size == 8;
            break;
        case ValueType::kString:
            sizeOk = size >= 1 && size <= kMaxStringSize;
            break;
        case ValueType::kBits:
            sizeOk = size >= 1 && size <= kMaxBitsSize;
            break;
    }
    if (!sizeOk) {
        return "size " + std::to_string(size) + " does not suit this type";
    }
    if (address >= kSpaceSize || size > kSpaceSize - address) {
        return "the offset lies outside 0x0000-0xFFFF";
    }
    return "";
}

json DecodeValue(ValueType type, uint32_t size, const uint8_t* bytes) {
    const uint64_t raw = size <= 8 ? LoadLittle(bytes, size) : 0;
    switch (type) {
        case ValueType::kInt:
            return SignExtend(raw, size);
        case ValueType::kUint:
            return raw;
        case ValueType::kFloat:
            if (size == 4) {
                float number = 0;
                std::memcpy(&number, bytes, 4);
                return std::isfinite(number) ? json(number) : json();
            } else {
                double number = 0;
                std::memcpy(&number, bytes, 8);
                return std::isfinite(number) ? json(number) : json();
            }
        case ValueType::kString: {
            // Text that is not UTF-8 is replaced when the reply is written.
            const void* end = std::memchr(bytes, 0, size);
            const size_t length = end ? size_t(static_cast<const uint8_t*>(end) - bytes) : size;
            return std::string(reinterpret_cast<const char*>(bytes), length);
        }
        case ValueType::kBits: {
            json bits = json::array();
            for (uint32_t bit = 0; bit < size * 8; ++bit) {
                bits.push_back(((bytes[bit / 8] >> (bit % 8)) & 1) != 0);
            }
            return bits;
        }
        case ValueType::kLat:
        case ValueType::kLon:
            return double(SignExtend(raw, size)) * DegreesPerUnit(type, size);
    }
    return json();
}

std::string EncodeValue(ValueType type, uint32_t size, const json& value,
                        std::vector<uint8_t>& bytes, std::vector<uint8_t>& mask) {
    bytes.clear();
    mask.clear();
    std::string problem;
    switch (type) {
        case ValueType::kInt:
        case ValueType::kUint:
            problem = EncodeWhole(type, size, value, bytes);
            break;
        case ValueType::kFloat:
            if (!value.is_number()) {
                return "a number is needed";
            }
            if (size == 4) {
                const float number = value.get<float>();
                uint32_t raw = 0;
                std::memcpy(&raw, &number, 4);
                StoreLittle(raw, 4, bytes);
            } else {
                const double number = value.get<double>();
                uint64_t raw = 0;
                std::memcpy(&raw, &number, 8);
                StoreLittle(raw, 8, bytes);
            }
            break;
        case ValueType::kString: {
            if (!value.is_string()) {
                return "a string is needed";
            }
            const std::string& text = value.get_ref<const std::string&>();
            if (text.size() >= size) {
                return "the text needs " + std::to_string(text.size() + 1) + " bytes with its NUL";
            }
            bytes.assign(text.begin(), text.end());
            bytes.resize(size, 0);
            break;
        }
        case ValueType::kBits:
            return EncodeBits(size, value, bytes, mask);
        case ValueType::kLat:
        case ValueType::kLon: {
            const double limit = type == ValueType::kLat ? 90.0 : 180.0;
            if (!value.is_number() || std::abs(value.get<double>()) > limit) {
                return "degrees from -" + std::to_string(int(limit)) + " to " +
                       std::to_string(int(limit)) + " are needed";
            }
            const double units = std::round(value.get<double>() / DegreesPerUnit(type, size));
            // +180 degrees of a longitude is one unit past the highest: it wraps to -180.
            const double wrap = size == 8 ? 9223372036854775808.0 : 2147483648.0;
            const int64_t whole = units >= wrap ? int64_t(-wrap) : int64_t(units);
            StoreLittle(uint64_t(whole), size, bytes);
            break;
        }
    }
    if (problem.empty()) {
        mask.assign(bytes.size(), 0xFF);
    }
    return problem;
}

}  // namespace ulvo::tools::web
