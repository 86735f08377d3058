#include "tools/content/ManifestFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

namespace Content {

namespace {

std::map<std::string, std::string> AttributesOf(const std::string& text)
{
    static const std::regex kAttribute(R"re(([A-Za-z0-9_]+)\s*=\s*"([^"]*)")re");
    std::map<std::string, std::string> attributes;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), kAttribute); it != std::sregex_iterator(); ++it)
        attributes[(*it)[1]] = (*it)[2];
    return attributes;
}

std::string WithSlash(const std::string& folder)
{
    return folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

} // namespace

bool ReadManifest(const std::string& file, std::vector<ManifestEntry>* entries)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read the manifest '%s'\n", file.c_str());
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    const std::string content = text.str();

    static const std::regex kTag(R"re(<(Resources|SetDefaults|Image|Sound|Font)\b([^>]*)>)re");
    std::string group;
    std::string pathPrefix;
    std::string idPrefix;
    for (auto it = std::sregex_iterator(content.begin(), content.end(), kTag); it != std::sregex_iterator(); ++it) {
        const std::string tag = (*it)[1];
        auto attributes = AttributesOf((*it)[2]);
        if (tag == "Resources") {
            group = attributes["id"];
        } else if (tag == "SetDefaults") {
            if (attributes.count("path"))
                pathPrefix = WithSlash(attributes["path"]);
            if (attributes.count("idprefix"))
                idPrefix = attributes["idprefix"];
        } else {
            ManifestEntry entry;
            entry.mKind = tag;
            entry.mGroup = group;
            entry.mId = idPrefix + attributes["id"];
            if (attributes["path"].empty()) {
                std::fprintf(stderr, "%s: %s has no path\n", file.c_str(), entry.mId.c_str());
                return false;
            }
            entry.mPath = pathPrefix + attributes["path"];
            entry.mRows = std::max(1, std::atoi(attributes["rows"].c_str()));
            entry.mCols = std::max(1, std::atoi(attributes["cols"].c_str()));
            entries->push_back(entry);
        }
    }
    return true;
}

} // namespace Content
