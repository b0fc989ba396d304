// Cameras arriving and leaving, as udev announces them, heard on the window's event
// loop; and the cameras attached now. A camera is the camera's USB device on its
// command interface, or the generic SCSI node of a disk on the camera's USB device.
#pragma once

#include <QObject>
#include <vector>

#include "camera_entries.h"

class QSocketNotifier;
struct udev;
struct udev_monitor;

class CameraWatch : public QObject {
    Q_OBJECT
public:
    explicit CameraWatch(QObject* parent = nullptr);
    ~CameraWatch() override;
    CameraWatch(const CameraWatch&) = delete;
    CameraWatch& operator=(const CameraWatch&) = delete;

    // False when udev's monitor could not be opened: nothing will be heard.
    bool Listening() const { return m_notifier != nullptr; }

signals:
    // A USB device or a generic SCSI node came or went; what is attached may have changed.
    void Changed();

private:
    void TakeAnnouncements();
    void Announce();

    struct udev* m_udev = nullptr;
    struct udev_monitor* m_monitor = nullptr;
    QSocketNotifier* m_notifier = nullptr;
    bool m_announcing = false;  // an announcement waits for a camera call to end
};

// The cameras attached now, each with its carrier, device node and serial number
// (no drive letter, position or bar code: those are the library's).
std::vector<FoundCamera> AttachedCameras();

// Whether the camera of `node` on its carrier is attached now; true when udev cannot say.
bool IsAttached(const FoundCamera& camera);
