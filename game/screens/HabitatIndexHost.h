#pragma once
// Where the habitats lie in the order in which they were built: a game starts from a
// habitat index, while a profile keeps its habitat by name. A name or index no habitat has
// reads as HabitatRegistry::NO_HABITAT.

#include <cstdint>
#include <string>

class HabitatIndexHost {
public:
    virtual ~HabitatIndexHost() = default;

    // NO_HABITAT when no registered habitat has that name.
    virtual int32_t GetHabitatIndexByName(const std::string& name) const = 0;
    // The smallest registered index; NO_HABITAT while none is registered.
    virtual int32_t GetFirstHabitatIndex() const = 0;
};
