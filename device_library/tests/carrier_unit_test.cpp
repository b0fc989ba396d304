// The disk carrier seen from inside the library.
#include "support/camera_fixture.h"
#include "transport/disk_carrier.h"

namespace {

TEST(DiskCarrier, CommandBlockAndWholeSixteenByteBlocksOfAtMostOneCipherUnit) {
    PETREL_NEEDS_SIMULATOR();
    camsim::Simulator sim;
    camsim::Camera& camera = sim.addDiskCamera();
    ASSERT_EQ(EnumStorageList(nullptr, 0), 1);
    std::unique_ptr<petrel::Carrier> carrier;
    for (char letter = 'D'; carrier == nullptr && letter <= 'Y'; ++letter) {
        carrier = petrel::OpenDiskCarrier(letter);
    }
    ASSERT_NE(carrier, nullptr);
    EXPECT_EQ(carrier->Kind(), petrel::CarrierKind::kDisk);
    const uint8_t parameter[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    for (const auto& [length, sent] :
         {std::pair<size_t, size_t>{7, 16}, {16, 16}, {18, 32}, {0, 0}}) {
        camera.clearLog();
        const std::vector<uint8_t> payload(length, 0x5A);
        EXPECT_TRUE(carrier->Send(0x45, parameter, payload.data(), length));
        ASSERT_EQ(camera.log().size(), 1u);
        EXPECT_EQ(camera.log().front().wire.size(), sent) << length;
        const std::array<uint8_t, 16> block = {0xA3, 0xB2, 0xC1, 0xD0, 0x00, 0x45, 1, 2,
                                               3,    4,    5,    6,    7,    8,    9, 10};
        EXPECT_EQ(camera.log().front().cdb, block);
    }
    camera.clearLog();
    const std::vector<uint8_t> payload(129, 1);
    EXPECT_FALSE(carrier->Send(0x45, nullptr, payload.data(), payload.size()));
    EXPECT_TRUE(camera.log().empty()) << "a clear tail is never sent";
}

}  // namespace
