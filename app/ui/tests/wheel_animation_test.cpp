// The animation thread's turn played on a virtual clock: what it draws, in
// what order, and how long it pauses.
#include "WheelAnimation.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace vimbrel::ui;

namespace {

// Records "u<mode>.<frame>" (unselected label), "s<mode>.<frame>" (selected
// label) and "r<frame>" (rotation step); the clock moves only in pauses.
struct CScriptPainter : IWheelPainter {
    std::vector<std::string> drawn;
    int clock = 0;
    int quitAt = -1;  // pauses end the turn from here on
    std::function<void(const std::string&)> onDraw;

    void DrawLabel(int mode, int frame, bool selected) override {
        Record((selected ? "s" : "u") + std::to_string(mode) + "." + std::to_string(frame));
    }
    void DrawRotation(int frame) override { Record("r" + std::to_string(frame)); }
    bool Pause(int ms) override {
        if (quitAt >= 0 && clock >= quitAt) return false;
        clock += ms;
        return true;
    }
    void Record(const std::string& what) {
        drawn.push_back(what);
        if (onDraw) onDraw(what);
    }
};

std::vector<std::string> Labels(char kind, int mode, int count) {
    std::vector<std::string> out;
    for (int n = 0; n < count; ++n) out.push_back(kind + std::to_string(mode) + "." + std::to_string(n));
    return out;
}

std::vector<std::string> Steps(std::initializer_list<int> frames) {
    std::vector<std::string> out;
    for (int f : frames) out.push_back("r" + std::to_string(f));
    return out;
}

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> out;
    for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

}  // namespace

TEST(WheelAnimationTest, TurnToTheNextModeTakes1520Milliseconds) {
    CWheelState state;
    CScriptPainter painter;
    state.BeginTurn(1);
    EXPECT_TRUE(PlayTurn(state, painter));
    EXPECT_EQ(painter.drawn, Join({Labels('u', 0, 5), Steps({1, 2, 3, 4, 5, 6}), Labels('s', 1, 11)}));
    // 5 x 80 + 6 x 40 + 11 x 80.
    EXPECT_EQ(painter.clock, 1520);
    EXPECT_EQ(state.ShownMode(), 1);
    EXPECT_FALSE(state.Animating());
}

TEST(WheelAnimationTest, TurnToThePreviousModeGoesTheLongWayRound) {
    CWheelState state;
    CScriptPainter painter;
    state.BeginTurn(5);
    EXPECT_TRUE(PlayTurn(state, painter));
    // 5 x 80 + 30 x 40 + 11 x 80.
    EXPECT_EQ(painter.clock, 2480);
    ASSERT_EQ(painter.drawn.size(), 5u + 30u + 11u);
    EXPECT_EQ(painter.drawn[5], "r1");
    EXPECT_EQ(painter.drawn[34], "r30");
    EXPECT_EQ(painter.drawn[35], "s5.0");
}

TEST(WheelAnimationTest, FromTheLastModeTheWheelWrapsToFrameZero) {
    CWheelState state;
    CScriptPainter painter;
    state.BeginTurn(5);
    PlayTurn(state, painter);
    painter = CScriptPainter();
    state.BeginTurn(0);
    EXPECT_TRUE(PlayTurn(state, painter));
    EXPECT_EQ(painter.drawn, Join({Labels('u', 5, 5), Steps({31, 32, 33, 34, 35, 0}), Labels('s', 0, 11)}));
    EXPECT_EQ(painter.clock, 1520);
    EXPECT_EQ(state.ShownMode(), 0);
}

TEST(WheelAnimationTest, AnimatingFlagHoldsForTheWholeTurn) {
    CWheelState state;
    CScriptPainter painter;
    bool alwaysAnimating = true;
    painter.onDraw = [&](const std::string&) { alwaysAnimating = alwaysAnimating && state.Animating(); };
    state.BeginTurn(2);
    PlayTurn(state, painter);
    EXPECT_TRUE(alwaysAnimating);
    EXPECT_FALSE(state.Animating());
}

TEST(WheelAnimationTest, TargetMovedWhileTurningIsFollowed) {
    // A new target during the rotation: the wheel turns on to it.
    {
        CWheelState state;
        CScriptPainter painter;
        painter.onDraw = [&](const std::string& what) {
            if (what == "r3") state.SetMode(2, true);
        };
        state.BeginTurn(1);
        EXPECT_TRUE(PlayTurn(state, painter));
        EXPECT_EQ(painter.drawn,
                  Join({Labels('u', 0, 5), Steps({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), Labels('s', 2, 11)}));
        EXPECT_EQ(painter.clock, 400 + 12 * 40 + 880);
        EXPECT_EQ(state.ShownMode(), 2);
    }
    // A new target while the first target's label fades in: after it the
    // wheel turns on and shows the new label, rather than stopping on the
    // old frame with the new mode recorded.
    {
        CWheelState state;
        CScriptPainter painter;
        painter.onDraw = [&](const std::string& what) {
            if (what == "s1.3") state.SetMode(2, true);
        };
        state.BeginTurn(1);
        EXPECT_TRUE(PlayTurn(state, painter));
        EXPECT_EQ(painter.drawn, Join({Labels('u', 0, 5), Steps({1, 2, 3, 4, 5, 6}), Labels('s', 1, 11),
                                       Steps({7, 8, 9, 10, 11, 12}), Labels('s', 2, 11)}));
        EXPECT_EQ(painter.clock, 400 + 240 + 880 + 240 + 880);
        EXPECT_EQ(state.ShownMode(), 2);
        EXPECT_EQ(state.CurrentFrame(), 12);
    }
}

TEST(WheelAnimationTest, JumpDuringATurnEndsTheTurnOnTheJumpedMode) {
    CWheelState state;
    CScriptPainter painter;
    painter.onDraw = [&](const std::string& what) {
        if (what == "r3" && state.SetMode(4, false) == CWheelState::Change::Jump) state.FinishJump(4);
    };
    state.BeginTurn(1);
    EXPECT_TRUE(PlayTurn(state, painter));
    // No step back to the old target's frame 6.
    EXPECT_EQ(painter.drawn, Join({Labels('u', 0, 5), Steps({1, 2, 3}), Labels('s', 4, 11)}));
    EXPECT_EQ(state.CurrentFrame(), 24);
    EXPECT_EQ(state.ShownMode(), 4);
}

TEST(WheelAnimationTest, ClosingCutsTheTurnShortAndClearsTheFlag) {
    CWheelState state;
    CScriptPainter painter;
    painter.quitAt = 500;  // during the rotation
    state.BeginTurn(1);
    EXPECT_FALSE(PlayTurn(state, painter));
    EXPECT_FALSE(state.Animating());
    EXPECT_EQ(state.ShownMode(), 0);
    // Labels at 0..320, steps at 400, 440, 480, 520: the pause after r4 ends it.
    EXPECT_EQ(painter.drawn.back(), "r4");
}

TEST(WheelAnimationTest, WakeWithNothingToDoDrawsNothing) {
    // A request the previous turn already followed leaves the event set:
    // the next wake must not replay the labels.
    CWheelState state;
    CScriptPainter painter;
    state.BeginTurn(1);
    ASSERT_TRUE(PlayTurn(state, painter));
    painter = CScriptPainter();
    EXPECT_TRUE(PlayTurn(state, painter));
    EXPECT_TRUE(painter.drawn.empty());
    EXPECT_EQ(painter.clock, 0);
    EXPECT_FALSE(state.Animating());
}

TEST(WheelAnimationTest, RequestsCountAsAnimatingBeforeTheThreadWakes) {
    CWheelState state;
    state.BeginTurn(3);
    EXPECT_TRUE(state.Animating());
    CWheelState controlled;
    EXPECT_EQ(controlled.SetMode(2, true), CWheelState::Change::Turn);
    EXPECT_TRUE(controlled.Animating());
    EXPECT_EQ(controlled.SetMode(4, false), CWheelState::Change::Jump);
}
