#pragma once
// Builds the game's habitats from their content tables and registers them, once per run
// after the title screen. Creature names and descriptions are the texts of their string
// keys; pictures are those of the resource ids, already loaded with the group "Game".

#include <functional>
#include <string>

class HabitatRegistry;
class ResourceGroupSource;
struct HabitatContent;

// The text of a string-table key.
using TextLookup = std::function<std::string(const std::string& key)>;

// Builds one habitat at the registry's running build index and registers it.
void BuildHabitat(const HabitatContent& content, HabitatRegistry& registry, const TextLookup& getString,
                  ResourceGroupSource& resources);
// The Amazon, the Grand Canyon, Alaska and the Arctic, at the build indexes 0 to 3.
void BuildAllHabitats(HabitatRegistry& registry, const TextLookup& getString, ResourceGroupSource& resources);
