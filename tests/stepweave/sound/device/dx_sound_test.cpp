#include "stepweave/sound/device/dx_sound.h"

#include <gtest/gtest.h>

#include "tests/stepweave/sound/output/manual_sound_output.h"
#include "stepweave/sound/files/errors.h"

using namespace stepweave;
using namespace stepweave::testing;

namespace {

struct DXSoundOnManualDevice : ::testing::Test {
    ManualSoundOutput output;
    TimerScheduler timers{output.clock};
    TFormOwner form;
};

}  // namespace

TEST(DXSoundWithoutForm, CannotBeInitialized) {
    TComponent looseOwner;
    TDXSound sound(&looseOwner);
    try {
        sound.Initialize();
        FAIL();
    } catch (const EDXSoundError& error) {
        EXPECT_STREQ(error.what(), "Form not found");
    }
    EXPECT_FALSE(sound.Initialized());
}

TEST(DXSoundWithoutDevice, ReportsTheDeviceAndRunsSilentWhenLoadedAutomatically) {
    NoSoundDevice noDevice;
    std::vector<std::string> events;
    TFormOwner form;
    TDXSound sound(&form);
    sound.OnInitializing = [&](TCustomDXSound&) { events.push_back("initializing"); };
    sound.OnInitialize = [&](TCustomDXSound&) { events.push_back("initialize"); };
    sound.OnFinalize = [&](TCustomDXSound&) { events.push_back("finalize"); };
    try {
        sound.Initialize();
        FAIL();
    } catch (const EDirectSoundError& error) {
        EXPECT_STREQ(error.what(), "DirectSound cannot be initialized");
    }
    EXPECT_FALSE(sound.Initialized());
    EXPECT_EQ(sound.DSound(), nullptr);
    EXPECT_NO_THROW(sound.Loaded());
    EXPECT_FALSE(sound.Initialized());
    EXPECT_EQ(events, (std::vector<std::string>{"initializing", "initializing"}));
}

TEST_F(DXSoundOnManualDevice, InitialisesThroughTheOwnersAndTellsItsListsInOrder) {
    std::vector<std::string> events;  // outlives the device, which still reports as it goes
    TComponent panel(&form);
    TDXSound sound(&panel, timers);
    const char* names[] = {"destroying", "initializing", "initialize", "finalize", "restore"};
    int list = 0;
    sound.RegisterNotifyEvent(&list, [&](TCustomDXSound&, TDXSoundNotifyType type) {
        events.push_back(std::string("list ") + names[static_cast<int>(type)]);
    });
    sound.OnInitializing = [&](TCustomDXSound&) { events.push_back("OnInitializing"); };
    sound.OnInitialize = [&](TCustomDXSound& sender) {
        EXPECT_TRUE(sender.Initialized());
        events.push_back("OnInitialize");
    };
    sound.OnRestore = [&](TCustomDXSound&) { events.push_back("OnRestore"); };
    sound.OnFinalize = [&](TCustomDXSound&) { events.push_back("OnFinalize"); };

    sound.Loaded();
    ASSERT_TRUE(sound.Initialized());
    ASSERT_NE(sound.Primary(), nullptr);
    EXPECT_TRUE(sound.Primary()->HasInterface());
    sound.Finalize();
    EXPECT_EQ(events, (std::vector<std::string>{"list initializing", "OnInitializing", "list initialize", "OnInitialize",
                                                "list restore", "OnRestore", "list finalize", "OnFinalize"}));
    EXPECT_EQ(sound.DSound(), nullptr);

    events.clear();
    sound.UnRegisterNotifyEvent(&list);
    sound.Initialize();
    sound.Initialize();  // a second initialise finalises first
    EXPECT_EQ(events, (std::vector<std::string>{"OnInitializing", "OnInitialize", "OnRestore", "OnFinalize",
                                                "OnInitializing", "OnInitialize", "OnRestore"}));
}

TEST_F(DXSoundOnManualDevice, TellsItsListsWhenItGoes) {
    int list = 0;
    std::vector<TDXSoundNotifyType> told;
    {
        TDXSound sound(&form, timers);
        sound.RegisterNotifyEvent(&list, [&](TCustomDXSound&, TDXSoundNotifyType type) { told.push_back(type); });
        sound.Initialize();
    }
    EXPECT_EQ(told.back(), TDXSoundNotifyType::dsntDestroying);
    EXPECT_EQ(told[told.size() - 2], TDXSoundNotifyType::dsntFinalize);
}

TEST_F(DXSoundOnManualDevice, SetsTheCooperativeLevelFromTheOptionsAndAgainForANewWindow) {
    TDXSound sound(&form, timers);
    sound.SetOptions({TDXSoundOption::soExclusive});
    sound.Initialize();
    EXPECT_EQ(sound.DSound()->IDSound().CooperativeLevel(), DSSCL_EXCLUSIVE);

    // Changed while open, exclusive and write-primary wait for the next initialise.
    sound.SetOptions({TDXSoundOption::soWritePrimary, TDXSoundOption::soGlobalFocus});
    form.RecreateHandle(4242);
    EXPECT_EQ(sound.DSound()->IDSound().CooperativeLevel(), DSSCL_EXCLUSIVE);
    EXPECT_EQ(sound.DSound()->DXResult(), DS_OK);
    // ...while the focus options apply to buffers made from now on.
    EXPECT_EQ(sound.BufferFlags(), DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME | DSBCAPS_GLOBALFOCUS);
    sound.SetOptions({TDXSoundOption::soWritePrimary, TDXSoundOption::soGlobalFocus, TDXSoundOption::soStickyFocus});
    EXPECT_EQ(sound.BufferFlags() & (DSBCAPS_GLOBALFOCUS | DSBCAPS_STICKYFOCUS), DSBCAPS_STICKYFOCUS);

    sound.Initialize();
    EXPECT_EQ(sound.DSound()->IDSound().CooperativeLevel(), DSSCL_WRITEPRIMARY);
    sound.SetOptions({});
    sound.Initialize();
    EXPECT_EQ(sound.DSound()->IDSound().CooperativeLevel(), DSSCL_NORMAL);
}

TEST_F(DXSoundOnManualDevice, ALostBufferMakesItRestoreItsLists) {
    TDXSound sound(&form, timers);
    int restores = 0;
    sound.OnRestore = [&](TCustomDXSound&) { ++restores; };
    sound.Initialize();
    EXPECT_EQ(restores, 1);

    TDirectSoundBuffer buffer(*sound.DSound());
    const TWaveFormatEx format = MakePcmFormat(44100, 16, 2);
    TDSBufferDesc description;
    description.dwFlags = sound.BufferFlags();
    description.dwBufferBytes = 400;
    description.lpwfxFormat = &format;
    ASSERT_TRUE(buffer.CreateBuffer(description));
    sound.DSound()->IDSound().Output().LoseBuffers();
    buffer.Play();
    EXPECT_EQ(restores, 2);
}
