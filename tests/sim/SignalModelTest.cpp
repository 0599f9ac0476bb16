// The live signals: which bit of which word each line lands in, and how the outputs follow the
// settings. Bit numbers are written out here on purpose, as the PC's display reads them.
#include <gtest/gtest.h>

#include <algorithm>

#include "SignalModel.h"

namespace sim {
namespace {

using std::chrono::milliseconds;

constexpr uint32_t Bit(unsigned n) {
    return uint32_t{1} << n;
}

Readings ReadAt(DeviceKind device, const Settings& settings, int64_t ms,
                SwitchRole role = SwitchRole::None, unsigned position = 0) {
    return SignalModel(device, role, position).read(settings, milliseconds(ms));
}

TEST(SignalModelTest, RotarySwitchRoleAndPositionLines) {
    const uint32_t switchBits = Bit(21) | Bit(22) | Bit(23) | Bit(24) | Bit(25) | Bit(26);
    const struct {
        DeviceKind device;
        SwitchRole role;
        unsigned position;
        uint32_t expected;
    } cases[] = {
        {DeviceKind::Orvatronic, SwitchRole::Start, 5, Bit(21) | Bit(23) | Bit(25)},
        {DeviceKind::Orvatronic, SwitchRole::Speed, 10, Bit(22) | Bit(24) | Bit(26)},
        {DeviceKind::Orvatronic, SwitchRole::Start, 0, Bit(21)},
        {DeviceKind::Orvatronic, SwitchRole::None, 7, 0},
        {DeviceKind::Orvatronic2, SwitchRole::Start, 15, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "position " << c.position);
        const Readings r = ReadAt(c.device, Settings{}, 1234, c.role, c.position);
        EXPECT_EQ(r.word1 & switchBits, c.expected);
    }
}

TEST(SignalModelTest, StartAnd24VInputsSitInTheWordOfTheirDeviceKind) {
    Settings mode4;
    mode4.speedMode = 4;
    const struct {
        DeviceKind device;
        uint32_t startInW1, startInW2, v24InW1, v24InW2;
    } cases[] = {
        {DeviceKind::Orvatronic, Bit(19), 0, Bit(20), 0},
        {DeviceKind::Orvatronic2, 0, Bit(8), 0, Bit(13)},
    };
    for (const auto& c : cases) {
        const Readings pulse = ReadAt(c.device, mode4, 100);  // inside the start pulse
        EXPECT_EQ(pulse.word1 & (Bit(19) | Bit(20)), c.startInW1 | c.v24InW1);
        EXPECT_EQ(pulse.word2 & (Bit(8) | Bit(13)), c.startInW2 | c.v24InW2);

        const Readings pause = ReadAt(c.device, Settings{}, 1000);  // between pulses, mode 0
        EXPECT_EQ(pause.word1 & (Bit(19) | Bit(20)), 0u);
        EXPECT_EQ(pause.word2 & (Bit(8) | Bit(13)), 0u);
    }
}

// The share of the milliseconds in [from, to) at which the start output (word 2 bit 25) is set.
double StartOutputShare(const Settings& settings, int64_t from, int64_t to) {
    int set = 0;
    for (int64_t ms = from; ms < to; ++ms) {
        set += (ReadAt(DeviceKind::Orvatronic, settings, ms).word2 & Bit(25)) != 0;
    }
    return double(set) / double(to - from);
}

TEST(SignalModelTest, StartOutputFollowsTheStartMode) {
    Settings settings;
    EXPECT_EQ(StartOutputShare(settings, 0, 4000), 0.0) << "mode 0 keeps the output low";

    settings.startMode = 1;
    settings.startHighMs = 30;
    settings.startLowMs = 70;
    EXPECT_NEAR(StartOutputShare(settings, 0, 1000), 0.30, 0.001);
    EXPECT_EQ(StartOutputShare(settings, 1000, 1030), 1.0);
    EXPECT_EQ(StartOutputShare(settings, 1030, 1100), 0.0);

    settings.startMode = 2;
    settings.startDelayMs = 500;
    EXPECT_EQ(StartOutputShare(settings, 0, 500), 0.0);
    EXPECT_EQ(StartOutputShare(settings, 2500, 2700), 1.0) << "the input pulse at 2000, delayed";
    EXPECT_EQ(StartOutputShare(settings, 2700, 4500), 0.0);

    // 500 mm at about 500 mm/s is about one second behind the input pulse.
    settings.startMode = 3;
    settings.startShiftMm = 500;
    EXPECT_EQ(StartOutputShare(settings, 2800, 2900), 0.0);
    EXPECT_EQ(StartOutputShare(settings, 3060, 3150), 1.0);
}

TEST(SignalModelTest, OutputSpeedFollowsTheSpeedMode) {
    Settings settings;
    settings.speedGenerator = -1234;
    settings.speedFactor = 1500;
    const int expectedByMode[] = {0, -1234, 750, 750, 750};
    for (unsigned mode = 0; mode <= 4; ++mode) {
        settings.speedMode = mode;
        EXPECT_EQ(SignalModel::outputSpeed(settings, 500), expectedByMode[mode]) << mode;
    }
    settings.speedMode = 2;
    settings.speedFactor = -99999;
    EXPECT_EQ(SignalModel::outputSpeed(settings, 520), -51999);
    settings.speedFactor = 99999;
    EXPECT_EQ(SignalModel::outputSpeed(settings, 30000), 2999970) << "needs 64-bit arithmetic";
}

TEST(SignalModelTest, InputSpeedDriftsAroundFiveHundred) {
    int lowest = 1000000;
    int highest = 0;
    for (int64_t ms = 0; ms < 10000; ms += 10) {
        const int speed = ReadAt(DeviceKind::Orvatronic, Settings{}, ms).inputSpeed;
        lowest = std::min(lowest, speed);
        highest = std::max(highest, speed);
    }
    EXPECT_GE(lowest, 475);
    EXPECT_LE(lowest, 490);
    EXPECT_GE(highest, 510);
    EXPECT_LE(highest, 525);
}

// How often a bit of a word changes over the sampled milliseconds.
int Toggles(const Settings& settings, int word, unsigned bit, int64_t to) {
    int toggles = 0;
    bool last = false;
    for (int64_t ms = 0; ms < to; ++ms) {
        const Readings r = ReadAt(DeviceKind::Orvatronic, settings, ms);
        const bool now = ((word == 1 ? r.word1 : r.word2) & Bit(bit)) != 0;
        toggles += ms > 0 && now != last;
        last = now;
    }
    return toggles;
}

TEST(SignalModelTest, EncoderLinesToggleWithTheirSpeeds) {
    Settings settings;
    EXPECT_GT(Toggles(settings, 1, 14, 2000), 4) << "input 1A";
    EXPECT_GT(Toggles(settings, 1, 30, 2000), 4) << "input 2A";
    for (unsigned bit : {19u, 20u, 21u, 22u}) {
        EXPECT_EQ(Toggles(settings, 2, bit, 2000), 0) << "output bit " << bit << " in mode 0";
    }

    settings.speedMode = 2;
    settings.speedFactor = 3000;  // three times the input: the output toggles three times as often
    const int input = Toggles(settings, 1, 14, 2000);
    const int output = Toggles(settings, 2, 22, 2000);
    EXPECT_NEAR(output, 3 * input, 3);
    for (int64_t ms = 0; ms < 2000; ms += 7) {
        const uint32_t w2 = ReadAt(DeviceKind::Orvatronic, settings, ms).word2;
        EXPECT_NE((w2 & Bit(22)) != 0, (w2 & Bit(21)) != 0) << "1A and 1B are complementary";
        EXPECT_NE((w2 & Bit(20)) != 0, (w2 & Bit(19)) != 0) << "2A and 2B are complementary";
    }
}

}  // namespace
}  // namespace sim

namespace sim {
namespace {

TEST(SignalModelTest, AnIdleMachineKeepsEveryInputStillAndARestlessOneJumpsAtEachReading) {
    Settings delay;
    delay.startMode = 2;
    delay.speedMode = 2;
    const SignalModel idle(DeviceKind::Orvatronic, SwitchRole::None, 0, Motion::Idle);
    const Readings first = idle.read(delay, milliseconds(0));
    for (const int64_t ms : {7, 150, 1000, 2050, 9999, 123456}) {
        SCOPED_TRACE(ms);
        const Readings later = idle.read(delay, milliseconds(ms));
        EXPECT_EQ(later.inputSpeed, 0);
        EXPECT_EQ(later.outputSpeed, 0);
        EXPECT_EQ(later.word1, first.word1);
        EXPECT_EQ(later.word2, first.word2);
    }
    EXPECT_EQ(first.word1 & Bit(19), 0u);  // no start pulse
    EXPECT_EQ(first.word2 & Bit(25), 0u);  // so nothing to pass on

    const SignalModel restless(DeviceKind::Orvatronic, SwitchRole::None, 0, Motion::Restless);
    int previous = restless.read(Settings(), milliseconds(0)).inputSpeed;
    // A reader's cycle takes from a few to some tens of milliseconds.
    for (int64_t ms = 3; ms < 5000; ms += 3 + ms % 37) {
        SCOPED_TRACE(ms);
        const int speed = restless.read(Settings(), milliseconds(ms)).inputSpeed;
        EXPECT_NE(speed, previous);
        EXPECT_GE(speed, 480);
        EXPECT_LE(speed, 520);
        previous = speed;
    }
}

}  // namespace
}  // namespace sim
