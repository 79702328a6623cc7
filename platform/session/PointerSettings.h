#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace pelmo::platform {

// The pointer settings a profile brings with it. The values use the scales
// the settings model was designed around: double-click time in milliseconds,
// wheel scroll lines per notch, and pointer speed on a 1-20 scale where 10
// moves the pointer one to one.
struct PointerValues {
    std::uint32_t doubleClickTimeMs = 500;
    std::uint32_t wheelScrollLines = 3;
    std::uint32_t pointerSpeed = 10;
    friend bool operator==(const PointerValues&, const PointerValues&) = default;
};

// Pointer settings for the current login session only: nothing here touches
// the user's stored desktop configuration.
class PointerSettings {
public:
    virtual ~PointerSettings() = default;
    virtual PointerValues read() = 0;
    // False when the settings could not be kept; `error` (when given) says why.
    virtual bool write(const PointerValues& values, std::string* error = nullptr) = 0;
};

// Keeps the values in memory; for tests and for machines without a session.
class MemoryPointerSettings final : public PointerSettings {
public:
    PointerValues read() override { return values_; }
    bool write(const PointerValues& values, std::string*) override
    {
        values_ = values;
        return true;
    }

private:
    PointerValues values_;
};

} // namespace pelmo::platform
