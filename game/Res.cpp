#include "game/Res.h"

#include "framework/resources/manager/ResourceManager.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#define GREENATLAS_DEFINE_RESOURCE_VARIABLE(kind, id, group) ResourceVariableType::kind id{};
GREENATLAS_RESOURCES(GREENATLAS_DEFINE_RESOURCE_VARIABLE)
#undef GREENATLAS_DEFINE_RESOURCE_VARIABLE

namespace {

// The kind of an entry follows from its variable's type, so the two cannot disagree.
constexpr ResourceKind KindOf(Zest::Image* const*) { return ResourceKind::Image; }
constexpr ResourceKind KindOf(Zest::Font* const*) { return ResourceKind::Font; }
constexpr ResourceKind KindOf(const int32_t*) { return ResourceKind::Sound; }

} // namespace

#define GREENATLAS_RESOURCE_ENTRY(kind, id, group) {#id, #group, KindOf(&id), &id},
constinit const ResourceEntry gResourceTable[RESOURCE_ID_COUNT + 1] = {
    GREENATLAS_RESOURCES(GREENATLAS_RESOURCE_ENTRY)
    {nullptr, nullptr, ResourceKind::Image, nullptr},
};
#undef GREENATLAS_RESOURCE_ENTRY

namespace {

// Throws Zest::ResourceManagerException when the manager has no such id loaded.
void ExtractResource(Zest::ResourceManager& manager, const ResourceEntry& entry)
{
    switch (entry.mKind) {
    case ResourceKind::Image:
        // The temporary reference goes at once; the manager's own keeps the picture alive
        // until the group is deleted.
        *static_cast<Zest::Image**>(entry.mVariable) = manager.GetImageOrThrow(entry.mId);
        break;
    case ResourceKind::Sound:
        *static_cast<int32_t*>(entry.mVariable) = manager.GetSoundIdOrThrow(entry.mId);
        break;
    case ResourceKind::Font:
        *static_cast<Zest::Font**>(entry.mVariable) = manager.GetFontOrThrow(entry.mId);
        break;
    }
}

// The table's entries in alphabetical order of their ids: the order in which a group is
// extracted, and so which variables a missing id leaves unchanged.
const std::vector<const ResourceEntry*>& EntriesById()
{
    static const std::vector<const ResourceEntry*> sorted = [] {
        std::vector<const ResourceEntry*> entries;
        for (int32_t id = 0; id < RESOURCE_ID_COUNT; ++id)
            entries.push_back(&gResourceTable[id]);
        std::sort(entries.begin(), entries.end(), [](const ResourceEntry* a, const ResourceEntry* b) {
            return std::strcmp(a->mId, b->mId) < 0;
        });
        return entries;
    }();
    return sorted;
}


} // namespace

bool ExtractGroupResources(Zest::ResourceManager& manager, const std::string_view group)
{
    try {
        for (const ResourceEntry* const entry : EntriesById()) {
            if (entry->mGroup == group)
                ExtractResource(manager, *entry);
        }
    } catch (const Zest::ResourceManagerException&) {
        // The manager has recorded the error text for the caller's report.
        return false;
    }
    return true;
}

bool ExtractInitResources(Zest::ResourceManager& manager) { return ExtractGroupResources(manager, "Init"); }

bool ExtractTitleScreenResources(Zest::ResourceManager& manager)
{
    return ExtractGroupResources(manager, "TitleScreen");
}

bool ExtractMainMenuResources(Zest::ResourceManager& manager) { return ExtractGroupResources(manager, "Main_Menu"); }

bool ExtractHabitatAmazonResources(Zest::ResourceManager& manager)
{
    return ExtractGroupResources(manager, "Habitat_Amazon");
}

bool ExtractHabitatGrandCanyonResources(Zest::ResourceManager& manager)
{
    return ExtractGroupResources(manager, "Habitat_GrandCanyon");
}

bool ExtractHabitatAlaskaResources(Zest::ResourceManager& manager)
{
    return ExtractGroupResources(manager, "Habitat_Alaska");
}

bool ExtractHabitatArcticResources(Zest::ResourceManager& manager)
{
    return ExtractGroupResources(manager, "Habitat_Arctic");
}

bool ExtractGameResources(Zest::ResourceManager& manager) { return ExtractGroupResources(manager, "Game"); }

void* GetResourceById(const int32_t id)
{
    // Numbers are computed, some from saved games, so one out of range must not read past
    // the table.
    if (id < 0 || id >= RESOURCE_ID_COUNT)
        return nullptr;
    const ResourceEntry& entry = gResourceTable[id];
    switch (entry.mKind) {
    case ResourceKind::Image:
        return *static_cast<Zest::Image* const*>(entry.mVariable);
    case ResourceKind::Font:
        return *static_cast<Zest::Font* const*>(entry.mVariable);
    case ResourceKind::Sound:
        return reinterpret_cast<void*>(static_cast<intptr_t>(*static_cast<const int32_t*>(entry.mVariable)));
    }
    return nullptr;
}
