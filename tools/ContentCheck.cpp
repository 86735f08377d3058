// Checks the game's content with the program's own loaders: every resource id is defined
// in its group and loads, the strips and over pictures keep the rules the code relies on,
// the string table defines every key the game looks up, the songs decode, and neither XML
// file trips the parser.
// Usage: content_check [-changedir=CONTENT_FOLDER] [-sources=SOURCE_FOLDER]...
// Runs headless with SDL's dummy drivers; the content is read from the folder (loose files
// or main.pak). Prints every problem and ends with status 1 when there is one.

#include "framework/app/common/Buffer.h"
#include "framework/app/ZestAppBase.h"
#include "framework/graphics/Font.h"
#include "framework/resources/manager/ResourceManager.h"
#include "framework/resources/XMLParser.h"
#include "framework/sound/OggFile.h"
#include "framework/sound/PcmSound.h"
#include "game/Res.h"
#include "platform/win32/Process.h"
#include "tools/ContentRules.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Zest::ResourceManager;

const char* const kManifest = "properties/resources_demo.xml";
const char* const kStrings = "properties/strings.xml";
const char* const kSongs[] = {"music/title.ogg",         "music/amazon.ogg",       "music/grandcanyon.ogg",
                              "music/alaska.ogg",        "music/arctic.ogg",       "music/fly_orchestra.ogg",
                              "music/plane_engine.ogg",  "music/medal_loop.ogg",   "music/success.ogg",
                              "music/minigame.ogg"};

class ContentCheck : public Zest::ZestAppBase {
public:
    ContentCheck()
    {
        mCompanyName = "GreenAtlas";
        mDataFolderCompany = "GreenAtlas";
        mProductName = "GreenAtlasContentCheck";
        mRegistryKeyName = "GreenAtlas\\ContentCheck";
        mWindowTitle = "GreenAtlas content check";
        mWidth = 800;
        mHeight = 600;
        mColorDepth = 32;
        // Several checks may run at once, for the loose tree and for the archive.
        mSingleInstance = false;
    }

    void HandleCommandLineParam(const std::string& name, const std::string& value) override
    {
        if (name == "-sources")
            mSourceFolders.push_back(value);
        else
            ZestAppBase::HandleCommandLineParam(name, value);
    }

    int Run()
    {
        CheckResources();
        CheckStrings();
        CheckSongs();
        for (const std::string& error : mErrors)
            std::fprintf(stderr, "content: %s\n", error.c_str());
        std::printf("content check: %d resource ids, %zu text keys, %zu songs, %zu problems\n",
                    static_cast<int>(RESOURCE_ID_COUNT), mKeyCount, std::size(kSongs), mErrors.size());
        return mErrors.empty() ? 0 : 1;
    }

private:
    void Error(const std::string& text) { mErrors.push_back(text); }

    // A whole content file through the application's reader, so that main.pak is read too.
    bool ReadContentFile(const std::string& name, std::string* text)
    {
        Zest::Buffer buffer;
        if (!ReadFileToBuffer(name, &buffer))
            return false;
        text->assign(reinterpret_cast<const char*>(buffer.GetDataPtr()), static_cast<size_t>(buffer.GetDataLen()));
        return true;
    }

    void CheckResources()
    {
        std::string text;
        if (!ReadContentFile(kManifest, &text)) {
            Error(std::string("cannot read ") + kManifest);
            return;
        }
        for (const std::string& quirk : ContentRules::CheckXmlQuirks(text, kManifest))
            Error(quirk);
        ResourceManager& manager = *mResourceManager;
        if (!manager.ParseResourcesFile(kManifest)) {
            Error(manager.GetErrorText());
            return;
        }

        std::set<std::string> known;
        std::string loadedGroup;
        for (int number = 0; number < RESOURCE_ID_COUNT; ++number) {
            const ResourceEntry& id = gResourceTable[number];
            known.insert(id.mId);
            if (loadedGroup != id.mGroup) {
                loadedGroup = id.mGroup;
                if (!manager.LoadResources(loadedGroup))
                    Error("group " + loadedGroup + ": " + manager.GetErrorText());
            }
            CheckResource(id);
        }
        for (const ResourceManager::ResMap* map : {&manager.mImages, &manager.mSounds, &manager.mFonts})
            for (const auto& [id, record] : *map)
                if (known.count(id) == 0)
                    Error(id + ": not a resource id of the game");
        // A rule for an id the game does not have would check nothing.
        for (const ContentRules::StripRule& rule : ContentRules::StripRules())
            if (known.count(rule.mId) == 0)
                Error(std::string(rule.mId) + ": a strip rule for an id the game does not have");
    }

    void CheckResource(const ResourceEntry& id)
    {
        ResourceManager& manager = *mResourceManager;
        const std::string name = id.mId;
        const bool isImage = name.rfind("IMAGE_", 0) == 0;
        const bool isSound = name.rfind("SOUND_", 0) == 0;
        ResourceManager::ResMap& map = isImage ? manager.mImages : isSound ? manager.mSounds : manager.mFonts;
        const auto found = map.find(name);
        if (found == map.end()) {
            Error(name + ": not defined in the manifest");
            return;
        }
        if (found->second->mResGroup != id.mGroup)
            Error(name + ": defined in group " + found->second->mResGroup + ", the game loads it with " + id.mGroup);
        if (!IsLoaded(*found->second)) {
            // Its group stopped at an earlier failure: load this one alone, so that the
            // message is its own.
            manager.mFailed = false;
            manager.mErrorText.clear();
            if (!LoadAlone(found->second.get())) {
                Error(name + ": " + manager.GetErrorText());
                return;
            }
        }
        try {
            if (isImage) {
                if (manager.GetImageOrThrow(name).GetImage() == nullptr)
                    Error(name + ": did not load");
                const auto& image = static_cast<const ResourceManager::ImageRes&>(*found->second);
                ContentRules::ImageFacts facts{name, image.mRows, image.mCols, image.mAnimInfo.mAnimType,
                                               image.mAnimInfo.mPerFrameDelay.size()};
                for (const std::string& error : ContentRules::CheckImage(facts))
                    Error(error);
            } else if (isSound) {
                manager.GetSoundIdOrThrow(name);
            } else if (manager.GetFontOrThrow(name) == nullptr) {
                Error(name + ": did not load");
            }
        } catch (const Zest::ResourceManagerException&) {
            Error(name + ": " + manager.GetErrorText());
        }
    }

    static bool IsLoaded(const ResourceManager::BaseRes& record)
    {
        switch (record.mType) {
        case ResourceManager::RES_IMAGE:
            return static_cast<const ResourceManager::ImageRes&>(record).mImage.GetImage() != nullptr;
        case ResourceManager::RES_SOUND:
            return static_cast<const ResourceManager::SoundRes&>(record).mSoundId >= 0;
        default:
            return static_cast<const ResourceManager::FontRes&>(record).mFont != nullptr;
        }
    }

    bool LoadAlone(ResourceManager::BaseRes* record)
    {
        ResourceManager& manager = *mResourceManager;
        switch (record->mType) {
        case ResourceManager::RES_IMAGE:
            return manager.DoLoadImage(static_cast<ResourceManager::ImageRes*>(record));
        case ResourceManager::RES_SOUND:
            return manager.DoLoadSound(static_cast<ResourceManager::SoundRes*>(record));
        default:
            return manager.DoLoadFont(static_cast<ResourceManager::FontRes*>(record));
        }
    }

    void CheckStrings()
    {
        std::string text;
        if (!ReadContentFile(kStrings, &text)) {
            Error(std::string("cannot read ") + kStrings);
            return;
        }
        for (const std::string& quirk : ContentRules::CheckXmlQuirks(text, kStrings))
            Error(quirk);

        // Read as the game reads it: the elements directly inside the top element Strings.
        Zest::XMLParser parser;
        if (!parser.OpenFile(kStrings)) {
            Error(std::string("the parser cannot open ") + kStrings);
            return;
        }
        std::vector<ContentRules::TextEntry> entries;
        Zest::XMLElement element;
        while (parser.NextElement(&element)) {
            if (element.mType != Zest::XMLElement::TYPE_START || element.mSection != "Strings")
                continue;
            const auto value = element.mAttributes.find("value");
            entries.push_back({element.mValue, value == element.mAttributes.end() ? "" : value->second,
                               value != element.mAttributes.end()});
        }
        if (parser.HasFailed())
            Error(std::string(kStrings) + ": " + parser.GetErrorText());
        for (const std::string& error : ContentRules::CheckTextEntries(entries))
            Error(error);

        std::set<std::string> defined;
        for (const ContentRules::TextEntry& entry : entries)
            defined.insert(entry.mKey);
        mKeyCount = defined.size();
        std::vector<std::string> required = ContentRules::RequiredTextKeys();
        for (const std::string& key : KeysInSources())
            required.push_back(key);
        for (const std::string& key : ContentRules::MissingKeys(defined, required))
            Error(key + ": looked up by the game, not in the string table");
    }

    // Keys named in the program's source, for the game code's own lookups.
    std::vector<std::string> KeysInSources()
    {
        std::vector<std::string> keys;
        for (const std::string& folder : mSourceFolders) {
            std::error_code error;
            size_t sources = 0;
            for (const auto& file : std::filesystem::recursive_directory_iterator(folder, error)) {
                const std::string extension = file.path().extension().string();
                if (extension != ".cpp" && extension != ".h")
                    continue;
                ++sources;
                std::ifstream in(file.path(), std::ios::binary);
                std::stringstream source;
                source << in.rdbuf();
                for (const std::string& key : ContentRules::KeysInSource(source.str()))
                    keys.push_back(key);
            }
            // Without the sources the keys they look up would go unchecked.
            if (error)
                Error("cannot read the sources in " + folder + ": " + error.message());
            else if (sources == 0)
                Error("no sources in " + folder);
        }
        return keys;
    }

    void CheckSongs()
    {
        for (const char* song : kSongs) {
            Zest::DecodedSound sound;
            if (!Zest::ReadOggFile(song, &sound))
                Error(std::string(song) + ": does not decode");
            else if (sound.mData.empty())
                Error(std::string(song) + ": holds no sound");
        }
    }

    std::vector<std::string> mSourceFolders;
    std::vector<std::string> mErrors;
    size_t mKeyCount = 0;
};

} // namespace

int main(int argc, char** argv)
{
    Win32::SetCommandLine(argc, argv);
    ContentCheck check;
    check.Init();
    if (check.mShutDown) {
        std::fprintf(stderr, "content check: the application did not start\n");
        return 1;
    }
    return check.Run();
}
