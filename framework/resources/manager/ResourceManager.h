#pragma once
// The resource manager: reads the resource manifest (an XML file naming every image, sound
// and font of the program, with an id, a group and how each is prepared), keeps one record
// per resource, loads and unloads the records group by group and hands the loaded objects
// out by id. Parsing lives in ResourceManifest.cpp, loading and access in
// ResourceManager.cpp.
//
// Only the first error since it was last cleared is kept (HadError, GetErrorText); loading
// clears it when a group starts. The manager takes no lock: while the loading thread runs
// StartLoadResources and LoadNextResource, no other thread may use the same manager.

#include "framework/graphics/Image.h"
#include "framework/graphics/SharedImage.h"
#include "framework/resources/XMLParser.h"

#include <cstdint>
#include <exception>
#include <list>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace Zest {

class Font;
class MemoryImage;
class ResourceManagerHost;
class SoundManager;

// Thrown by the accessors for an id that is not in the manifest or not loaded. The text
// is in mWhat; what() is the standard one.
class ResourceManagerException : public std::exception {
public:
    explicit ResourceManagerException(const std::string& what) : mWhat(what) {}

    std::string mWhat;
};

class ResourceManager {
public:
    static constexpr int32_t RES_IMAGE = 0;
    static constexpr int32_t RES_SOUND = 1;
    static constexpr int32_t RES_FONT = 2;

    // One resource of the manifest. The manager owns every record from parsing until it is
    // destroyed; the loaded object goes with DeleteResource, never with the destructor.
    struct BaseRes {
        BaseRes() = default;
        BaseRes(const BaseRes&) = delete;
        BaseRes& operator=(const BaseRes&) = delete;
        virtual ~BaseRes() = default;
        // Frees the loaded object, after which the record counts as not loaded.
        virtual void DeleteResource() {}

        int32_t mType = RES_IMAGE;
        // The full id: the id prefix in force and the element's id (or file name).
        std::string mId;
        std::string mResGroup;
        // As completed by the default path; a path beginning with '!' stays as written.
        std::string mPath;
        // Every attribute of the element.
        std::map<std::string, std::string> mXMLAttributes;
        // The path is "!program": the program makes the picture, the manager never loads it.
        bool mFromProgram = false;
    };

    struct ImageRes : BaseRes {
        ImageRes() { mType = RES_IMAGE; }
        // Drops the reference; the shared image goes when no other reference holds it.
        void DeleteResource() override;

        SharedImageRef mImage;
        std::string mAlphaImage;
        std::string mAlphaGridImage;
        std::string mVariant;
        bool mPalettize = true;
        bool mUse4444 = false;
        bool mUse8888 = false;
        bool mWantSurface = false;
        bool mDropBits = false;
        bool mFewPieces = false;
        // The cel grid, at least 1 each.
        int32_t mRows = 1;
        int32_t mCols = 1;
        // RGB of a picture whose file holds an alpha image alone.
        uint32_t mAlphaColor = 0xFFFFFF;
        AnimInfo mAnimInfo;
    };

    struct SoundRes : BaseRes {
        SoundRes() { mType = RES_SOUND; }
        // Gives the id back to the sound manager that holds it.
        void DeleteResource() override;

        int32_t mSoundId = -1;
        // The sound manager that holds mSoundId while loaded; the application keeps it
        // longer than the manager.
        SoundManager* mSoundManager = nullptr;
        // Linear 0 to 1; below 0 when the manifest gives none.
        double mVolume = -1.0;
        int32_t mPanning = 0;
    };

    struct FontRes : BaseRes {
        FontRes() { mType = RES_FONT; }
        // Deletes the font, then the picture it was drawn from.
        void DeleteResource() override;

        // Owned while loaded.
        Font* mFont = nullptr;
        // The picture of a font made from an image and a width file; owned while loaded.
        Image* mImage = nullptr;
        std::string mImagePath;
        std::string mTags;
        // A system font: mPath holds the face name.
        bool mIsSysFont = false;
        bool mBold = false;
        bool mItalic = false;
        bool mUnderline = false;
        bool mShadow = false;
        int32_t mPointSize = 0;
    };

    using ResMap = std::map<std::string, std::unique_ptr<BaseRes>>;
    // A group's records in manifest order; the kind maps own them.
    using ResList = std::list<BaseRes*>;
    using ResGroupMap = std::map<std::string, ResList>;

    // Parsing reads the application's 3D switch; loading uses its shared images, its image
    // loader and its sound manager. The application must outlive the manager. A manager
    // without one (null) is for reading manifests only; 3D then counts as off.
    explicit ResourceManager(ResourceManagerHost* app);
    ResourceManager(const ResourceManager&) = delete;
    ResourceManager& operator=(const ResourceManager&) = delete;

    // Parses one manifest and adds its records; false when an error is recorded.
    bool ParseResourcesFile(const std::string& fileName);
    bool HadError() const { return mFailed; }
    std::string GetErrorText() const { return mErrorText; }

    // Counts of a group's records of one kind, "!program" images left out; an empty group
    // id counts the whole kind, program-made records included.
    int GetNumImages(const std::string& group) const;
    int GetNumSounds(const std::string& group) const;
    int GetNumFonts(const std::string& group) const;
    int GetNumResources(const std::string& group) const;
    // The loaded font of that id, or null.
    Font* FindLoadedFont(const std::string& id) const;

    // Parsing, one element each.
    virtual bool ParseCommonResource(const XMLElement& element, std::unique_ptr<BaseRes>& record, ResMap& map);
    virtual bool ParseSoundResource(const XMLElement& element);
    virtual bool ParseImageResource(const XMLElement& element);
    virtual bool ParseFontResource(const XMLElement& element);
    virtual bool ParseSetDefaults(const XMLElement& element);
    // One group, up to its end tag.
    virtual bool ParseResources();

    // Unloads a group's records of every kind; they stay and can be loaded again.
    virtual void DeleteResources(const std::string& group);
    // Unloads the records of one kind map in the group (every record for an empty group).
    virtual void DeleteMap(ResMap& map, const std::string& group);
    virtual bool DoLoadImage(ImageRes* record);
    virtual bool DoLoadFont(FontRes* record);
    virtual bool DoLoadSound(SoundRes* record);
    virtual ~ResourceManager();
    // Loads the group's next record that is not loaded yet; false at the end of the group
    // and on failure (HadError tells which).
    virtual bool LoadNextResource();
    // Called after every successful load.
    virtual void ResourceLoadedHook(BaseRes* record) {}
    // Clears the error and starts the group from its first record.
    virtual void StartLoadResources(const std::string& group);
    // Loads the whole group; true when nothing failed.
    virtual bool LoadResources(const std::string& group);
    // The loaded object of that id; otherwise records the not-found error and throws a
    // ResourceManagerException with the first error recorded.
    virtual SharedImageRef GetImageOrThrow(const std::string& id);
    virtual int GetSoundIdOrThrow(const std::string& id);
    virtual Font* GetFontOrThrow(const std::string& id);

    // Records the error unless one is recorded already; always false.
    bool Fail(const std::string& text);

    // Groups loaded completely by LoadResources.
    std::set<std::string> mLoadedGroupSet;
    ResMap mImages;
    ResMap mSounds;
    ResMap mFonts;
    // Only while a manifest is parsed.
    std::unique_ptr<XMLParser> mParser;
    std::string mErrorText;
    bool mFailed = false;
    ResourceManagerHost* mApplication;
    // The group being parsed or loaded.
    std::string mCurrentGroup;
    // The defaults of the SetDefaults element in force.
    std::string mPathPrefix;
    std::string mIdPrefix;
    ResGroupMap mGroups;
    // The list of the group being loaded (null before the first StartLoadResources) and the
    // next record of it to look at.
    ResList* mLoadGroupList = nullptr;
    ResList::iterator mLoadCursor;

protected:
    // The children of the manifest's root element.
    bool DoParseResources();
    // Merge the blue channel of a separate picture, or of one cel repeated over the grid,
    // into the alpha channel of a newly loaded picture.
    bool LoadAlphaImage(MemoryImage* image, const ImageRes* record);
    bool LoadAlphaGridImage(MemoryImage* image, const ImageRes* record);
};

} // namespace Zest
