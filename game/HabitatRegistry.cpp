#include "game/HabitatRegistry.h"

void HabitatRegistry::RegisterHabitat(const std::string& name, std::unique_ptr<Habitat> habitat)
{
    std::unique_ptr<Habitat>& slot = mHabitats[name];
    slot = std::move(habitat);
    slot->Finalize();
}

void HabitatRegistry::RegisterHabitatName(const std::string& name)
{
    mHabitatNames[mBuildIndex] = name;
}

Habitat* HabitatRegistry::GetHabitat(const std::string& name) const
{
    const auto found = mHabitats.find(name);
    return found != mHabitats.end() ? found->second.get() : nullptr;
}

std::string HabitatRegistry::GetHabitatNameByIndex(const int32_t index) const
{
    const auto found = mHabitatNames.find(index);
    return found != mHabitatNames.end() ? found->second : kNoHabitatName;
}

int32_t HabitatRegistry::GetHabitatIndexByName(const std::string& name) const
{
    // The builders number the habitats from 0 without gaps; a gap reads as an empty name.
    for (int32_t index = 0; index < GetHabitatCount(); ++index) {
        const auto found = mHabitatNames.find(index);
        const std::string stored = found != mHabitatNames.end() ? found->second : std::string();
        if (stored == name)
            return index;
    }
    return NO_HABITAT;
}

int32_t HabitatRegistry::GetFirstHabitatIndex() const
{
    for (int32_t index = 0; index <= kLastFirstIndex; ++index) {
        if (mHabitatNames.count(index) != 0)
            return index;
    }
    return NO_HABITAT;
}

Creature* HabitatRegistry::FindCreature(const std::string& habitatName, const std::string& creatureName) const
{
    const Habitat* const habitat = GetHabitat(habitatName);
    return habitat != nullptr ? habitat->FindCreature(creatureName) : nullptr;
}

void HabitatRegistry::LoadHabitatResources(const std::string& name)
{
    // A name from a damaged profile may be no habitat's: there is nothing to load.
    if (Habitat* const habitat = GetHabitat(name))
        habitat->LoadResources(mResources);
}

void HabitatRegistry::UnloadHabitatResources(const std::string& name)
{
    if (Habitat* const habitat = GetHabitat(name))
        habitat->UnloadResources(mResources);
}
