#include "camera_watch.h"

#include <libudev.h>

#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "camera_worker.h"
#include "udev_camera.h"

namespace {

constexpr std::chrono::milliseconds kWaitOver{50};  // how often a wait is asked whether it is over

template <typename Object, Object* (*Release)(Object*)>
struct Releaser {
    void operator()(Object* object) const { Release(object); }
};
using Udev = std::unique_ptr<udev, Releaser<udev, udev_unref>>;
using Device = std::unique_ptr<udev_device, Releaser<udev_device, udev_device_unref>>;
using Enumeration = std::unique_ptr<udev_enumerate, Releaser<udev_enumerate, udev_enumerate_unref>>;

// The camera a device of the usb or scsi_generic subsystem stands for, if any.
bool AsCamera(udev_device* device, FoundCamera& camera) {
    const std::optional<udev_cameras::UdevCamera> found = udev_cameras::AsCamera(device);
    if (!found) return false;
    camera.disk = found->disk;
    camera.node = QString::fromStdString(found->node);
    camera.serial = QString::fromStdString(found->serial);
    return true;
}

}  // namespace

CameraWatch::CameraWatch(QObject* parent) : QObject(parent), m_udev(udev_new()) {
    if (m_udev == nullptr) return;
    m_monitor = udev_cameras::OpenCameraMonitor(m_udev);
    if (m_monitor == nullptr) return;
    m_notifier = new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { TakeAnnouncements(); });
}

CameraWatch::~CameraWatch() {
    delete m_notifier;  // before the descriptor it watches closes
    udev_monitor_unref(m_monitor);
    udev_unref(m_udev);
}

void CameraWatch::TakeAnnouncements() {
    // Every announcement waiting is taken in: a camera's arrival is several of them.
    bool heard = false;
    while (const Device device{udev_monitor_receive_device(m_monitor)}) heard = true;
    if (heard && !m_announcing) Announce();
}

void CameraWatch::Announce() {
    // Heard while a camera call is waited for: told once that wait is over, so what
    // listens starts no call inside it.
    m_announcing = CameraCallWaiting();
    if (m_announcing)
        QTimer::singleShot(kWaitOver, this, [this] { Announce(); });
    else
        emit Changed();
}

namespace {

// False when udev could not be asked.
bool ListAttached(std::vector<FoundCamera>& cameras) {
    const Udev context{udev_new()};
    if (!context) return false;
    const Enumeration scan{udev_enumerate_new(context.get())};
    if (!scan || udev_enumerate_add_match_subsystem(scan.get(), "usb") < 0 ||
        udev_enumerate_add_match_subsystem(scan.get(), "scsi_generic") < 0 ||
        udev_enumerate_scan_devices(scan.get()) < 0)
        return false;
    udev_list_entry* item = nullptr;
    udev_list_entry_foreach(item, udev_enumerate_get_list_entry(scan.get())) {
        const Device device{
            udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(item))};
        FoundCamera camera;
        if (device && AsCamera(device.get(), camera)) cameras.push_back(camera);
    }
    return true;
}

}  // namespace

std::vector<FoundCamera> AttachedCameras() {
    std::vector<FoundCamera> cameras;
    ListAttached(cameras);
    return cameras;
}

bool IsAttached(const FoundCamera& camera) {
    std::vector<FoundCamera> attached;
    // Where udev cannot tell, nothing says the camera left.
    return !ListAttached(attached) ||
           std::any_of(attached.begin(), attached.end(), [&](const FoundCamera& present) {
               return present.disk == camera.disk && present.node == camera.node;
           });
}
