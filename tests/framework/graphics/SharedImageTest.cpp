#include "framework/graphics/SharedImage.h"

#include "tests/framework/graphics/FakeApp.h"

#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <optional>
#include <thread>

namespace {

using namespace Zest;

// Counts the reports too, so that a drop to zero reported twice shows.
class CountingApp : public Tests::FakeApp {
public:
    void SetSharedImagesUnused() override
    {
        FakeApp::SetSharedImagesUnused();
        mUnusedReports.fetch_add(1);
    }

    std::atomic<int> mUnusedReports{0};
};

// One shared entry holding an image, and the application it reports to.
class SharedImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetAppInterface(&mApp);
        mEntry.mImage = &mImage;
    }

    void TearDown() override { SetAppInterface(nullptr); }

    bool IsAlive(MemoryImage* const image) const { return mApp.mImages.count(image) == 1; }
    int Count() const { return mEntry.mRefCount.load(); }
    int Reports() const { return mApp.mUnusedReports.load(); }

    CountingApp mApp;
    MemoryImage mImage{&mApp};
    SharedImage mEntry;
};

TEST_F(SharedImageTest, CopiesCountTheEntryAndTheLastOneGoneReportsItUnused)
{
    std::optional<SharedImageRef> first(std::in_place);
    *first = &mEntry;
    EXPECT_EQ(Count(), 1);

    std::optional<SharedImageRef> second(std::in_place, *first);
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(second->GetDDImage(), &mImage);

    first.reset();
    EXPECT_EQ(Count(), 1);
    EXPECT_FALSE(mApp.mSharedImagesUnused);

    second.reset();
    EXPECT_EQ(Count(), 0);
    EXPECT_TRUE(mApp.mSharedImagesUnused);
    EXPECT_EQ(Reports(), 1);
}

TEST_F(SharedImageTest, AssignmentMovesTheCountFromTheOldEntryToTheNew)
{
    SharedImage other;
    SharedImageRef source;
    source = &other;
    SharedImageRef target;
    target = &mEntry;

    target = source;

    EXPECT_EQ(target.mSharedImage, &other);
    EXPECT_EQ(other.mRefCount.load(), 2);
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(Reports(), 1);
}

TEST_F(SharedImageTest, SelfAssignmentKeepsTheEntryAndTheOwnedPlainImage)
{
    auto* const plain = new MemoryImage(&mApp);
    SharedImageRef ref;
    ref = &mEntry;
    ref.mUnsharedImage = plain;
    ref.mOwnsUnshared = true;

    const SharedImageRef& alias = ref;
    ref = alias;

    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(Reports(), 0);
    EXPECT_TRUE(IsAlive(plain));
    EXPECT_EQ(ref.GetImage(), plain);
    EXPECT_EQ(ref.GetDDImage(), &mImage);
}

TEST_F(SharedImageTest, ReassigningTheEntryAlreadySharedNeverReportsItUnused)
{
    SharedImageRef ref;
    ref = &mEntry;
    ref = &mEntry;
    EXPECT_EQ(Count(), 1);

    SharedImageRef other(ref);
    other = ref;
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(Reports(), 0);
}

TEST_F(SharedImageTest, EveryDropToZeroIsReportedOnce)
{
    SharedImageRef ref;
    for (int round = 1; round <= 3; ++round) {
        ref = &mEntry;
        ref.Release();
        EXPECT_EQ(Count(), 0);
        EXPECT_EQ(Reports(), round);
    }

    // The reference is empty now: releasing it again changes nothing.
    ref.Release();
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(Reports(), 3);
}

TEST_F(SharedImageTest, GettersPreferThePlainImageAndFallBackToTheEntry)
{
    MemoryImage plain(&mApp);
    struct Case {
        const char* name;
        bool holdsPlain;
        bool sharesEntry;
        Image* image;
        MemoryImage* ddImage;
    };
    const Case cases[] = {
        {"empty", false, false, nullptr, nullptr},
        {"plain only", true, false, &plain, nullptr},
        {"entry only", false, true, &mImage, &mImage},
        {"both", true, true, &plain, &mImage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SharedImageRef ref;
        if (c.sharesEntry)
            ref = &mEntry;
        if (c.holdsPlain)
            ref.mUnsharedImage = &plain;
        EXPECT_EQ(ref.GetImage(), c.image);
        EXPECT_EQ(static_cast<Image*>(ref), c.image);
        EXPECT_EQ(ref.GetDDImage(), c.ddImage);
    }
}

TEST_F(SharedImageTest, AnOwningReferenceDeletesEachPlainImageItLetsGo)
{
    auto* const first = new MemoryImage(&mApp);
    auto* const second = new MemoryImage(&mApp);
    {
        SharedImageRef ref;
        ref.mOwnsUnshared = true;
        ref = first;
        ref = first;
        EXPECT_TRUE(IsAlive(first)) << "the image already held was deleted";

        ref = second;
        EXPECT_FALSE(IsAlive(first));
        EXPECT_TRUE(ref.mOwnsUnshared);
        EXPECT_EQ(ref.GetImage(), second);
    }
    EXPECT_FALSE(IsAlive(second));
}

TEST_F(SharedImageTest, PlainImagesNotOwnedOutliveTheirReferences)
{
    auto* const owned = new MemoryImage(&mApp);
    MemoryImage borrowed(&mApp);
    SharedImageRef owner;
    owner.mOwnsUnshared = true;
    owner = owned;
    {
        const SharedImageRef copy(owner);
        EXPECT_EQ(copy.GetImage(), owned);
        EXPECT_FALSE(copy.mOwnsUnshared);

        SharedImageRef lender;
        lender = &borrowed;
        lender.Release();
        EXPECT_EQ(lender.GetImage(), nullptr);
    }
    EXPECT_TRUE(IsAlive(owned));
    EXPECT_TRUE(IsAlive(&borrowed));
}

TEST_F(SharedImageTest, AssigningFromAPlainOnlyReferenceLeavesTheTargetEmpty)
{
    MemoryImage plain(&mApp);
    SharedImageRef source;
    source = &plain;
    SharedImageRef target;
    target = &mEntry;

    target = source;

    EXPECT_EQ(target.GetImage(), nullptr);
    EXPECT_EQ(target.GetDDImage(), nullptr);
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(Reports(), 1);
}

TEST_F(SharedImageTest, ReleaseWithoutAnApplicationOnlyDropsTheCount)
{
    SharedImageRef ref;
    ref = &mEntry;
    SetAppInterface(nullptr);

    ref.Release();

    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(Reports(), 0);
}

TEST_F(SharedImageTest, TwoThreadsTakingAndDroppingReferencesKeepTheCountExact)
{
    constexpr int kRounds = 100000;
    SharedImageRef held;
    held = &mEntry;

    std::latch start(2);
    std::thread copying([&] {
        start.arrive_and_wait();
        for (int round = 0; round < kRounds; ++round)
            const SharedImageRef copy(held);
    });
    std::thread assigning([&] {
        start.arrive_and_wait();
        SharedImageRef ref;
        for (int round = 0; round < kRounds; ++round) {
            ref = &mEntry;
            ref.Release();
        }
    });
    copying.join();
    assigning.join();

    // The held reference kept the count above zero throughout.
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(Reports(), 0);

    held.Release();
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(Reports(), 1);
}

} // namespace
