#include "plumbing/state_file.h"

#include <gtest/gtest.h>

namespace {

using camsim::plumbing::formatStateFile;
using camsim::plumbing::parseStateFile;
using camsim::plumbing::SavedCamera;

TEST(StateFile, EveryKindOfFieldSurvivesARoundTrip) {
    SavedCamera camera{camsim::Carrier::Disk, {}};
    camera.state.passwords[1] = "a=b\\c\n";
    camera.state.sysParam[50] = 0xFF;
    camera.state.clock = {2031, 12, 31, 23, 59, 58};
    camera.state.diskFreeMb = 4000000000u;
    camera.state.storageLocked = true;
    camera.state.rebootDelay = std::chrono::milliseconds(25);
    std::string problem;
    const auto read = parseStateFile(formatStateFile({SavedCamera{}, camera}), problem);
    ASSERT_TRUE(read) << problem;
    ASSERT_EQ(read->size(), 2u);
    EXPECT_EQ((*read)[0].home, camsim::Carrier::Usb);
    const auto& s = (*read)[1].state;
    EXPECT_EQ((*read)[1].home, camsim::Carrier::Disk);
    EXPECT_EQ(s.passwords[1], camera.state.passwords[1]);
    EXPECT_EQ(s.sysParam, camera.state.sysParam);
    EXPECT_EQ(s.clock, camera.state.clock);
    EXPECT_EQ(s.diskFreeMb, camera.state.diskFreeMb);
    EXPECT_TRUE(s.storageLocked);
    EXPECT_EQ(s.rebootDelay, camera.state.rebootDelay);
}

TEST(StateFile, ABadLineIsNamedAndNothingIsLoaded) {
    const struct {
        const char* text;
        const char* problem;
    } cases[] = {
        {"modelId=X\n", "line 1"},
        {"camera usb\nmodleId=X\n", "unknown name modleId"},
        {"camera usb\nsysParam=00\n", "bad value for sysParam"},
        {"camera usb\nbatteryPercent=70000\n", "bad value for batteryPercent"},
        {"camera usb\nuserId=\\x4\n", "bad value for userId"},
    };
    for (const auto& c : cases) {
        std::string problem;
        EXPECT_FALSE(parseStateFile(c.text, problem)) << c.text;
        EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
    }
}

}  // namespace
