// Logged in with the real libPetrel.so to one camera simulated under umockdev, and
// a page created and shown as the main window creates and shows it.
#pragma once

#include <camsim/simulator.h>
#include <gtest/gtest.h>

#include <memory>

#include "app_state.h"
#include "program_path.h"
#include "test_support.h"

using Codes = std::vector<std::uint16_t>;

// Files this process holds open on the camera's device node: one while connected to it.
int OpenHandles(const camsim::Camera& camera);

class CameraSession : public ::testing::TestWithParam<camsim::Carrier> {
protected:
    void SetUp() override { ResetProcessState(); }

    camsim::Camera& AddCamera(const camsim::CameraState& state = {},
                              camsim::Carrier carrier = camsim::Carrier::Usb);
    // One login with the factory password of `userType`; fails the test if refused.
    void LogIn(int userType);

    template <typename Page>
    Page& Shown() {
        auto* page = new Page(app, app.Texts());
        shown.reset(page);
        page->Create(nullptr, g_nUserType);
        page->ShowPage(true);
        camera->clearLog();
        return *page;
    }
    template <typename Page>
    Page& Open(int userType) {
        LogIn(userType);
        return Shown<Page>();
    }

    // Codes of the commands the camera executed since the log was last cleared: a
    // write and the read of its reply are one command, and so is a disk query's read alone.
    Codes Commands() const;

    camsim::Simulator simulator;
    camsim::Camera* camera = nullptr;
    MessageRecorder messages;
    CVireoApp app{OptionsFor(platform::ProgramDirectory())};
    std::unique_ptr<QWidget> shown;  // the page last created
};
