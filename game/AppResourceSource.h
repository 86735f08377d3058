#pragma once
// The resource groups of the running game: the application's resource manager, with the
// application's report of a resource error that ends the program.

#include "game/ResourceGroupSource.h"

namespace Zest {
class ZestAppBase;
}

class AppResourceSource : public ResourceGroupSource {
public:
    // The application must outlive the source and own its resource manager.
    explicit AppResourceSource(Zest::ZestAppBase& app) : mApp(app) {}

    bool LoadGroup(const std::string& group) override;
    void DeleteGroup(const std::string& group) override;
    Zest::Image* GetImage(const std::string& id) override;
    bool ExtractGroup(const std::string& group) override;
    void ReportFatalError() override;

private:
    Zest::ZestAppBase& mApp;
};
