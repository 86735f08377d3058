#pragma once
// The resource groups as game content uses them: load a group, take a loaded picture by its
// id, release the group. In the running game this is the application's resource manager
// (AppResourceSource); tests hand in their own.

#include <string>

namespace Zest {
class Image;
}

class ResourceGroupSource {
public:
    virtual ~ResourceGroupSource() = default;

    // Loads every resource of the group; false on the first failure, with its error kept.
    virtual bool LoadGroup(const std::string& group) = 0;
    // Releases the pictures, sounds and fonts of the group.
    virtual void DeleteGroup(const std::string& group) = 0;
    // The loaded picture of the id; null when it is not loaded, with that error kept.
    virtual Zest::Image* GetImage(const std::string& id) = 0;
    // Fills the resource variables of a loaded group; false when one is missing, with that
    // error kept.
    virtual bool ExtractGroup(const std::string& group) = 0;
    // The game cannot go on without the group: marks the loading failed, shows the kept error
    // and ends the program. Only a test's stand-in returns.
    virtual void ReportFatalError() = 0;
};
