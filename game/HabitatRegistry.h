#pragma once
// The habitats of the run, found by name (the profile stores the player's habitat by name)
// and by build index (the order of the awards, the mini-games and the world-map points).
// The builders fill it once after the title screen; afterwards it is only read. It owns
// the habitats, and loads and releases a habitat's resource group through its source.

#include "game/Habitat.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

class ResourceGroupSource;

class HabitatRegistry {
public:
    // The index a name lookup gives for a name no habitat has, and the name of an index no
    // habitat has.
    static constexpr int32_t NO_HABITAT = -1;
    static constexpr const char* kNoHabitatName = "empty";
    // Indexes GetFirstHabitatIndex looks at: 0 to this.
    static constexpr int32_t kLastFirstIndex = 10;

    // The source must outlive the registry.
    explicit HabitatRegistry(ResourceGroupSource& resources) : mResources(resources) {}

    // Takes the habitat under its name (replacing one registered before under it) and
    // finalizes it.
    void RegisterHabitat(const std::string& name, std::unique_ptr<Habitat> habitat);
    // Gives the name the running build index.
    void RegisterHabitatName(const std::string& name);

    Habitat* GetHabitat(const std::string& name) const;
    std::string GetHabitatNameByIndex(int32_t index) const;
    int32_t GetHabitatIndexByName(const std::string& name) const;
    // The smallest registered index up to kLastFirstIndex, or NO_HABITAT.
    int32_t GetFirstHabitatIndex() const;
    int32_t GetHabitatCount() const { return static_cast<int32_t>(mHabitatNames.size()); }
    // The creature of that display name in that habitat; null when either is unknown.
    Creature* FindCreature(const std::string& habitatName, const std::string& creatureName) const;

    // A group that cannot be loaded ends the program; an unknown name loads nothing.
    void LoadHabitatResources(const std::string& name);
    void UnloadHabitatResources(const std::string& name);

    // The index RegisterHabitatName gives; BuildAllHabitats counts it up habitat by habitat.
    int32_t mBuildIndex = 0;
    std::map<std::string, std::unique_ptr<Habitat>> mHabitats;
    std::map<int32_t, std::string> mHabitatNames;

private:
    ResourceGroupSource& mResources;
};
