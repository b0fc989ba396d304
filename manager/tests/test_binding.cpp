// Binding the device library at every connection attempt: which camera is
// connected, and what each failure leaves behind.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "program_path.h"
#include "test_support.h"
#include "version_record.h"
#include "version_text.h"

namespace {

using Lines = std::vector<std::string>;

TEST(Binding, TheFirstCameraFoundIsConnectedAndAFailureUnloadsTheLibrary) {
    const struct {
        const char *variant, *usb, *disk, *connect;
        int result;
        Lines log;
    } cases[] = {
        {"full",
         "0",
         "2",
         "0",
         CVireoApp::kConnected,
         {"EnumDeviceList", "EnumStorageList", "ConnectDevice disk", "ReleaseList 2"}},
        {"full", "1", "0", "1", CVireoApp::kNoCamera, {}},  // the camera refuses the connection
        {"no-storage-list", "1", "0", "0", CVireoApp::kNoCamera, {}},  // not even USB is listed
    };
    for (const auto& row : cases) {
        ResetProcessState();
        ::setenv("FAKE_PETREL_USB", row.usb, 1);
        ::setenv("FAKE_PETREL_DISK", row.disk, 1);
        ::setenv("FAKE_PETREL_CONNECT", row.connect, 1);
        CVireoApp app(OptionsFor(FakeLibraryDirectory(row.variant)));
        EXPECT_EQ(app.LookUpExport("ConnectDevice"), nullptr);  // nothing loaded yet
        EXPECT_EQ(app.ConnectCamera(), row.result) << row.variant << " " << row.connect;
        const bool connected = row.result == CVireoApp::kConnected;
        EXPECT_EQ(app.IsLibraryLoaded(), connected);
        EXPECT_EQ(app.Connection() != nullptr, connected);
        EXPECT_EQ(app.LookUpExport("ConnectDevice") != nullptr, connected);
        EXPECT_EQ(app.LookUpExport("OpenStorageDevice"), nullptr);
        if (!row.log.empty()) {
            EXPECT_EQ(FakeLog(), row.log);
        }
    }
}

TEST(VersionText, ComesFromTheProgramsRecordOrReadsZeros) {
    EXPECT_EQ(FormatVersionText(platform::ProgramVersionRecord()), VIREO_VERSION_TEXT);
    EXPECT_EQ(FormatVersionText(nullptr), "V0.0.0.0");
    const platform::VersionRecord wide{0xFFFF0001u, 0x00020003u, 0, 0, "x", "x"};
    EXPECT_EQ(FormatVersionText(&wide), "V65535.1.2.3");
}

TEST(ProgramPath, IsTheFolderOfTheRunningProgram) {
    EXPECT_EQ(platform::ProgramDirectory(),
              QCoreApplication::applicationDirPath().toStdString() + "/");
    EXPECT_EQ(platform::DirectoryOf("vireo"), "");
}

}  // namespace
