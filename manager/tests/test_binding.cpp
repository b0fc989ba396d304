// Binding the device library at every connection attempt: where it is loaded
// from, which camera is connected, and what each failure leaves behind.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "program_path.h"
#include "test_support.h"
#include "version_record.h"
#include "version_text.h"

namespace {

using Lines = std::vector<std::string>;

class Binding : public ::testing::Test {
protected:
    void SetUp() override { ResetProcessState(); }
};

TEST_F(Binding, AMissingLibraryFailsEveryAttemptAndLeavesNothingLoaded) {
    CVireoApp app(OptionsFor(FakeLibraryDirectory("none")));
    EXPECT_EQ(app.ConnectCamera(), CVireoApp::kNoLibrary);
    EXPECT_EQ(app.ConnectCamera(), CVireoApp::kNoLibrary);
    EXPECT_FALSE(app.IsLibraryLoaded());
    EXPECT_EQ(app.Connection(), nullptr);
}

TEST_F(Binding, AUsbCameraIsPreferredAndTheDiskPathIsNotTried) {
    ::setenv("FAKE_PETREL_DISK", "1", 1);
    CVireoApp app(OptionsFor(FakeLibraryDirectory("full")));
    EXPECT_EQ(app.ConnectCamera(), CVireoApp::kConnected);
    EXPECT_NE(app.Connection(), nullptr);
    EXPECT_EQ(FakeLog(), (Lines{"EnumDeviceList", "ConnectDevice usb", "ReleaseList 1"}));
}

TEST_F(Binding, WithoutAUsbCameraTheFirstCameraDiskIsConnected) {
    ::setenv("FAKE_PETREL_USB", "0", 1);
    ::setenv("FAKE_PETREL_DISK", "2", 1);
    CVireoApp app(OptionsFor(FakeLibraryDirectory("full")));
    EXPECT_EQ(app.ConnectCamera(), CVireoApp::kConnected);
    EXPECT_EQ(FakeLog(),
              (Lines{"EnumDeviceList", "EnumStorageList", "ConnectDevice disk", "ReleaseList 2"}));
}

TEST_F(Binding, NoCameraOrARefusedConnectUnloadsTheLibrary) {
    CVireoApp app(OptionsFor(FakeLibraryDirectory("full")));
    ::setenv("FAKE_PETREL_USB", "0", 1);
    EXPECT_EQ(app.ConnectCamera(), CVireoApp::kNoCamera);
    EXPECT_FALSE(app.IsLibraryLoaded());

    ::setenv("FAKE_PETREL_USB", "1", 1);
    ::setenv("FAKE_PETREL_CONNECT", "1", 1);
    EXPECT_EQ(app.ConnectCamera(), CVireoApp::kNoCamera);
    EXPECT_FALSE(app.IsLibraryLoaded());
    EXPECT_EQ(app.Connection(), nullptr);
}

TEST_F(Binding, ALibraryWithoutARequiredExportConnectsNothing) {
    CVireoApp app(OptionsFor(FakeLibraryDirectory("no-storage-list")));
    EXPECT_EQ(app.ConnectCamera(), CVireoApp::kNoCamera);
    EXPECT_FALSE(app.IsLibraryLoaded());
    EXPECT_TRUE(FakeLog().empty());  // not even the USB list is asked for
}

TEST_F(Binding, AVersionMismatchKeepsTheConnectionUntilTheNextAttempt) {
    ::setenv("FAKE_PETREL_CONNECT", "5", 1);
    {
        CVireoApp app(OptionsFor(FakeLibraryDirectory("full")));
        EXPECT_EQ(app.ConnectCamera(), CVireoApp::kVersionMismatch);
        EXPECT_NE(app.Connection(), nullptr);
        EXPECT_TRUE(app.IsLibraryLoaded());

        ::setenv("FAKE_PETREL_CONNECT", "0", 1);
        EXPECT_EQ(app.ConnectCamera(), CVireoApp::kConnected);
        EXPECT_EQ(FakeLog(),
                  (Lines{"EnumDeviceList", "ConnectDevice usb", "ReleaseList 1", "CloseDevice usb",
                         "EnumDeviceList", "ConnectDevice usb", "ReleaseList 1"}));
    }
    EXPECT_EQ(FakeLog().back(), "CloseDevice usb");  // the end of the program closes the last one
}

TEST_F(Binding, ExportsAreLookedUpInTheLibraryLoadedNow) {
    CVireoApp app(OptionsFor(FakeLibraryDirectory("full")));
    EXPECT_EQ(app.LookUpExport("ConnectDevice"), nullptr);  // nothing loaded yet
    ASSERT_EQ(app.ConnectCamera(), CVireoApp::kConnected);
    EXPECT_NE(app.LookUpExport("ConnectDevice"), nullptr);
    EXPECT_EQ(app.LookUpExport("OpenStorageDevice"), nullptr);
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
    EXPECT_EQ(platform::DirectoryOf("/opt/vireo/vireo"), "/opt/vireo/");
    EXPECT_EQ(platform::DirectoryOf("vireo"), "");
}

}  // namespace
