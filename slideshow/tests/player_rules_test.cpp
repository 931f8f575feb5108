// The player's rules: keys and bar commands, the film strip's navigation
// quirk, button states and the worker's next step.
#include "PlayerRules.h"

#include "PlayMode.h"

#include <gtest/gtest.h>

using namespace slideshow;

TEST(PlayerInput, KeysAndBarCommandsMapToActions) {
    EXPECT_EQ(PlayerAction::Stop, ActionForKey(27));
    EXPECT_EQ(PlayerAction::TogglePause, ActionForKey(32));
    EXPECT_EQ(PlayerAction::Previous, ActionForKey(33));
    EXPECT_EQ(PlayerAction::Next, ActionForKey(34));
    EXPECT_EQ(PlayerAction::Last, ActionForKey(35));
    EXPECT_EQ(PlayerAction::First, ActionForKey(36));
    EXPECT_EQ(PlayerAction::None, ActionForKey(13));  // Enter
    EXPECT_EQ(PlayerAction::None, ActionForKey(37));  // Left

    EXPECT_EQ(PlayerAction::First, ActionForCommand(0));
    EXPECT_EQ(PlayerAction::Previous, ActionForCommand(1));
    EXPECT_EQ(PlayerAction::Next, ActionForCommand(2));
    EXPECT_EQ(PlayerAction::Last, ActionForCommand(3));
    EXPECT_EQ(PlayerAction::TogglePause, ActionForCommand(4));
    EXPECT_EQ(PlayerAction::SwitchEffect, ActionForCommand(5));
    EXPECT_EQ(PlayerAction::Exit, ActionForCommand(6));
    EXPECT_EQ(PlayerAction::None, ActionForCommand(7));
}

TEST(PlayerInput, SwitchEffectAlternatesCrossFadeAndFilmStrip) {
    EXPECT_EQ(kPlayFilmStrip, SwitchedPlayMode(kPlayCrossFade));
    EXPECT_EQ(kPlayCrossFade, SwitchedPlayMode(kPlayFilmStrip));
    EXPECT_EQ(kPlayCrossFade, SwitchedPlayMode(kPlayPan));
}

TEST(PlayerNavigation, FilmStripNextFirstStaysOnThePictureShown) {
    CSlideList list;
    for (const char16_t* name : {u"a", u"b", u"c"}) list.Append(name);
    std::u16string name;
    list.Next(name);
    list.Next(name);  // the strip has moved on to "b" while "a" is featured
    EXPECT_EQ(1, NavigateCursor(list, NavigateTarget::Next, kPlayFilmStrip, false, name));
    EXPECT_EQ(u"b", name);
    // Once navigating, Next moves on as anywhere else.
    EXPECT_EQ(1, NavigateCursor(list, NavigateTarget::Next, kPlayFilmStrip, true, name));
    EXPECT_EQ(u"c", name);
    EXPECT_EQ(0, NavigateCursor(list, NavigateTarget::Next, kPlayCrossFade, true, name));
    EXPECT_EQ(1, NavigateCursor(list, NavigateTarget::Previous, kPlayCrossFade, true, name));
    EXPECT_EQ(u"b", name);
}

TEST(PlayerNavigation, EndsStillAnswerAndEmptyListRefuses) {
    CSlideList list;
    for (const char16_t* name : {u"a", u"b"}) list.Append(name);
    std::u16string name;
    // Home on the first picture: the picture does not change, but it is drawn.
    EXPECT_EQ(1, NavigateCursor(list, NavigateTarget::First, kPlayCrossFade, false, name));
    EXPECT_EQ(1, NavigateCursor(list, NavigateTarget::First, kPlayCrossFade, true, name));
    EXPECT_EQ(u"a", name);
    EXPECT_EQ(0, NavigateCursor(list, NavigateTarget::Previous, kPlayCrossFade, true, name));
    EXPECT_EQ(1, NavigateCursor(list, NavigateTarget::Last, kPlayCrossFade, true, name));
    EXPECT_EQ(u"b", name);
    EXPECT_EQ(1, NavigateCursor(list, NavigateTarget::Current, kPlayCrossFade, true, name));
    EXPECT_EQ(u"b", name);

    CSlideList freed;
    for (NavigateTarget target : {NavigateTarget::First, NavigateTarget::Last, NavigateTarget::Next,
                                  NavigateTarget::Previous, NavigateTarget::Current}) {
        EXPECT_EQ(0, NavigateCursor(freed, target, kPlayCrossFade, true, name));
    }
}

TEST(PlayerButtons, FollowTheCursorAndThePause) {
    CSlideList list;
    for (const char16_t* name : {u"a", u"b", u"c"}) list.Append(name);
    std::u16string name;
    ButtonStates states;
    list.First(name);
    ASSERT_EQ(1, ComputeButtonStates(list, false, &states));
    EXPECT_FALSE(states.firstAndPrevious);
    EXPECT_TRUE(states.nextAndLast);
    EXPECT_EQ(2, states.playPauseState);
    list.Next(name);
    ASSERT_EQ(1, ComputeButtonStates(list, true, &states));
    EXPECT_TRUE(states.firstAndPrevious);
    EXPECT_TRUE(states.nextAndLast);
    EXPECT_EQ(1, states.playPauseState);
    list.Last(name);
    ASSERT_EQ(1, ComputeButtonStates(list, false, &states));
    EXPECT_TRUE(states.firstAndPrevious);
    EXPECT_FALSE(states.nextAndLast);
    EXPECT_EQ(0, ComputeButtonStates(list, false, nullptr));
}

TEST(PlayerWorker, StopBeatsPauseBeatsNavigationBeatsPlaying) {
    EXPECT_EQ(WorkerStep::Leave, NextWorkerStep(kPlayStop, true, true));
    EXPECT_EQ(WorkerStep::WaitWhilePaused, NextWorkerStep(kPlayCrossFade, true, true));
    EXPECT_EQ(WorkerStep::WaitAfterNavigation, NextWorkerStep(kPlayFilmStrip, false, true));
    EXPECT_EQ(WorkerStep::FilmStrip, NextWorkerStep(kPlayFilmStrip, false, false));
    for (int mode : {1, 2, 3, 4, 5}) {
        EXPECT_EQ(WorkerStep::PlaySlides, NextWorkerStep(mode, false, false)) << mode;
    }
    EXPECT_EQ(5000u, SlideIntervalFor(kPlayCrossFade));
    for (int mode : {1, 2, 4, 5}) EXPECT_EQ(2000u, SlideIntervalFor(mode)) << mode;
}
