#include "engine/ShowClock.h"

#include <gtest/gtest.h>

using namespace pluviane;

TEST(ShowClock, LateTicksRunAtOnceForAtMostASecondAndMusicTimeRunsSmooth)
{
    std::int64_t now = 0;
    ShowClock clock([&] { return now; });
    now = 15'999;
    EXPECT_EQ(clock.takeDueTicks(ShowClock::FormLane), 0);
    now = 100'000; // a late event loop: the missed ticks run now
    EXPECT_EQ(clock.takeDueTicks(ShowClock::FormLane), 6);
    EXPECT_EQ(clock.takeDueTicks(ShowClock::ColourLane), 6); // each lane counts its own
    EXPECT_EQ(clock.takeDueTicks(ShowClock::FormLane), 0);
    EXPECT_EQ(clock.nextTickAt(), 112'000);
    now += 5'000'000; // a stall of five seconds brings one second of ticks
    EXPECT_EQ(clock.takeDueTicks(ShowClock::FormLane), ShowClock::kMaxCatchUpTicks);
    now += 16'000;
    EXPECT_EQ(clock.takeDueTicks(ShowClock::FormLane), 1);
    now = 0; // a source that went back
    EXPECT_EQ(clock.takeDueTicks(ShowClock::FormLane), 0);
    now = 16'000;
    EXPECT_EQ(clock.takeDueTicks(ShowClock::FormLane), 1);

    SmoothedPosition smooth;
    EXPECT_EQ(smooth.at(1000, false, 0), 1000);
    EXPECT_EQ(smooth.at(1000, true, 0), 1000);
    EXPECT_EQ(smooth.at(1000, true, 200'000), 1000); // the player holds after play: so does the time
    EXPECT_EQ(smooth.at(1010, true, 210'000), 1010); // until its first move
    EXPECT_EQ(smooth.at(1010, true, 250'000), 1050); // runs on between reports
    EXPECT_EQ(smooth.at(1010, true, 305'000), 1105);
    EXPECT_EQ(smooth.at(1100, true, 310'000), 1105);  // a late report does not take time back
    EXPECT_EQ(smooth.at(1100, true, 330'000), 1120);
    EXPECT_EQ(smooth.at(300, true, 340'000), 300);    // a seek does, and holds till the player moves
    EXPECT_EQ(smooth.at(300, true, 540'000), 300);
    EXPECT_EQ(smooth.at(310, true, 550'000), 310);
    EXPECT_EQ(smooth.at(310, true, 10'000'000), 310 + SmoothedPosition::kMaxRunOnMs); // a stalled player
    EXPECT_EQ(smooth.at(400, true, 10'010'000), 810); // overtaken by the run-on: no step back
    smooth.sought(5000); // a seek asked for, with the player at its new place at once
    EXPECT_EQ(smooth.at(5000, true, 10'200'000), 5000);
    EXPECT_EQ(smooth.at(5020, true, 10'220'000), 5020);
}
