// The DirectSound object itself: without an audio device it cannot be made (the program
// then runs silently), failures forced through the controls, and lifetimes.

#include "tests/platform/dsound/DSoundFixture.h"

namespace {

using namespace DSound;
using Tests::DSoundTest;
using Tests::Ref;

using DeviceTest = DSoundTest;

TEST_F(DeviceTest, WithoutAnAudioDeviceNoObjectIsMade)
{
    mControls->createWithoutDevice = false;
    IDirectSound* made = reinterpret_cast<IDirectSound*>(this);
    EXPECT_EQ(mCreate(nullptr, &made, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(made, nullptr);
    EXPECT_EQ(mControls->liveObjects.load(), 1) << "only the fixture's object";
    EXPECT_FALSE(Audio::HasDevice());
}

TEST_F(DeviceTest, TheEntryPointRefusesWhatItCannotMake)
{
    IDirectSound* made = nullptr;
    const GUID otherDevice{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(mCreate(&otherDevice, &made, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(mCreate(nullptr, &made, reinterpret_cast<IUnknown*>(this)), DSERR_NOAGGREGATION);
    EXPECT_EQ(mCreate(nullptr, nullptr, nullptr), DSERR_INVALIDPARAM);
    EXPECT_EQ(made, nullptr);
    EXPECT_EQ(mControls->liveObjects.load(), 1);
}

TEST_F(DeviceTest, ForcedFailuresHitTheCallsNamedAfterTheSkippedOnes)
{
    mControls->failures.push_back({"IDirectSound::DuplicateSoundBuffer", 1, DSERR_OUTOFMEMORY});
    mControls->failures.push_back({"DirectSoundCreate", 0, DSERR_ALLOCATED});
    Ref<IDirectSoundBuffer> original = MakeMono16(std::vector<int16_t>(8, 0));

    Ref<IDirectSoundBuffer> first = Duplicate(original.get());
    EXPECT_NE(first, nullptr) << "the skipped call";
    IDirectSoundBuffer* second = original.get();
    EXPECT_EQ(mDirectSound->DuplicateSoundBuffer(original.get(), &second), DSERR_OUTOFMEMORY);
    Ref<IDirectSoundBuffer> third = Duplicate(original.get());
    EXPECT_NE(third, nullptr) << "a failure is used up";

    IDirectSound* made = nullptr;
    EXPECT_EQ(mCreate(nullptr, &made, nullptr), DSERR_ALLOCATED);
    EXPECT_EQ(made, nullptr);
    EXPECT_TRUE(mControls->failures.empty());
}

TEST_F(DeviceTest, BuffersKeepTheirObjectAndItsMixUntilTheyAreReleased)
{
    Ref<IDirectSoundBuffer> buffer = MakeMono16(std::vector<int16_t>(100, 8192));
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    EXPECT_EQ(mDirectSound.release()->Release(), 1u) << "the buffer holds a reference";
    EXPECT_EQ(mControls->liveObjects.load(), 2);
    EXPECT_EQ(Mix(1)[0], 8192) << "still mixed";

    void* queried = nullptr;
    ASSERT_EQ(buffer->QueryInterface(IID_IDirectSoundBuffer, &queried), DS_OK);
    EXPECT_EQ(queried, buffer.get());
    EXPECT_EQ(buffer->Release(), 1u);
    EXPECT_EQ(buffer->QueryInterface(IID_IDirectSound, &queried), DSERR_NOINTERFACE);
    EXPECT_EQ(queried, nullptr);

    buffer.reset();
    EXPECT_EQ(mControls->liveObjects.load(), 0);
    EXPECT_EQ(Mix(1)[0], 0) << "the object left the output with its last buffer";
}

} // namespace
