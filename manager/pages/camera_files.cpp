#include "camera_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDesktopServices>
#include <QSocketNotifier>
#include <QTimer>
#include <array>
#include <optional>
#include <utility>

#include "camera_entries.h"
#include "camera_watch.h"
#include "message_box.h"
#include "prompt.h"
#include "text8.h"
#include "wait_dialog.h"

namespace {

constexpr const char* kSection = "SysManagerDlg";  // beside the page's own messages

FilesDesktop& Desktop() {
    static FilesDesktop desktop = RealFilesDesktop();
    return desktop;
}

// The mount table, which Linux marks as changed (POLLPRI) whenever a file system is
// mounted or unmounted; closed with this object.
class MountTableWatch {
public:
    MountTableWatch() : m_table(::open("/proc/self/mounts", O_RDONLY | O_CLOEXEC)) {
        if (m_table >= 0) m_notifier.emplace(m_table, QSocketNotifier::Exception);
    }
    ~MountTableWatch() {
        m_notifier.reset();
        if (m_table >= 0) ::close(m_table);
    }
    MountTableWatch(const MountTableWatch&) = delete;
    MountTableWatch& operator=(const MountTableWatch&) = delete;
    QSocketNotifier* Notifier() { return m_notifier ? &*m_notifier : nullptr; }

private:
    int m_table;
    std::optional<QSocketNotifier> m_notifier;
};

}  // namespace

FilesDesktop RealFilesDesktop() {
    return {[](const Camera& camera, int letter) {
                std::array<char, 4096> point{};
                const auto find = PETREL_EXPORT(camera, PetrelStorageMountPoint);
                if (find == nullptr ||
                    find(letter, point.data(), static_cast<int>(point.size())) != STATUS_OK)
                    return QString();
                return QString::fromLocal8Bit(point.data());
            },
            [](const QUrl& folder) { return QDesktopServices::openUrl(folder); },
            std::chrono::seconds(30)};
}

FilesDesktop SetFilesDesktop(FilesDesktop desktop) {
    return std::exchange(Desktop(), std::move(desktop));
}

CameraFiles::CameraFiles(const Camera& camera, dialog::TextLookup texts, QWidget* parent)
    : m_camera(camera), m_texts(std::move(texts)), m_parent(parent), m_desktop(Desktop()) {
    // A camera disk's connection knows its letter; a USB camera is found again by its serial.
    if (const auto storageId = PETREL_EXPORT(camera, GetStorageID))
        m_letter = storageId(camera.Connection());
    std::array<char, 33> manufacturer{}, product{}, serial{};
    if (const auto descriptors = PETREL_EXPORT(camera, GetDescriptorString);
        m_letter == 0 && descriptors != nullptr &&
        descriptors(camera.Connection(), manufacturer.data(), product.data(), serial.data()) ==
            STATUS_OK)
        m_serial = dialog::FromText8(serial.data(), serial.size());
}

void CameraFiles::OpenWhenMounted() {
    if (m_letter == 0 && m_serial.isEmpty()) return;  // no way to tell its disk from another
    // Listening before the first look: nothing that happens after it goes unheard.
    CameraWatch arrivals;
    MountTableWatch mounts;
    if (Look()) return;
    const QString waiting =
        m_texts(kSection, "WaitMount", QStringLiteral("Waiting for %1 to be mounted..."));
    const auto wait = MakeWaitDialog(m_texts, waiting.arg(DiskName()), m_parent);
    QProgressDialog& progress = *wait;
    bool over = false;
    bool timedOut = false;
    bool looking = false;  // a look waits for a camera call, during which more may be heard
    bool heardAgain = false;
    const auto look = [&] {
        if (over) return;
        if (looking) {
            heardAgain = true;
            return;
        }
        looking = true;
        do {
            heardAgain = false;
            over = Look();
        } while (!over && heardAgain);
        looking = false;
        if (over)
            progress.done(QDialog::Accepted);
        else
            progress.setLabelText(waiting.arg(DiskName()));  // its letter once it is there
    };
    QObject::connect(&arrivals, &CameraWatch::Changed, &progress, look);
    if (QSocketNotifier* notifier = mounts.Notifier())
        QObject::connect(notifier, &QSocketNotifier::activated, &progress, look);
    QTimer::singleShot(m_desktop.patience, &progress, [&] {
        timedOut = !over;
        progress.done(QDialog::Rejected);
    });
    progress.exec();
    if (timedOut)
        Say("NotMounted",
            "Nothing mounted %1 within %2 seconds. Mount it to see the camera's files.", DiskName(),
            QString::number(
                std::chrono::duration_cast<std::chrono::seconds>(m_desktop.patience).count()));
}

bool CameraFiles::Look() {
    if (m_letter == 0) FindDisk();
    if (m_letter == 0) return false;
    const QString point = m_desktop.mountPoint(m_camera, m_letter);
    if (point.isEmpty()) return false;
    // Without a file manager the operator at least learns where to look.
    if (!m_desktop.open(QUrl::fromLocalFile(point)))
        Say("MountedAt", "%1 is mounted at %2.", DiskName(), point);
    return true;
}

void CameraFiles::FindDisk() {
    if (m_serial.isEmpty()) return;
    const CameraEntries disks(m_camera, Carriers::Disks);
    for (const auto& [entry, disk] : disks.Entries()) {
        if (disk.serial != m_serial) continue;
        m_letter = disk.letter;
        m_node = disk.node;
        return;
    }
}

QString CameraFiles::DiskName() const {
    FoundCamera disk;
    disk.disk = true;
    disk.letter = m_letter;
    if (m_letter == 0)
        return m_texts(kSection, "DiskOfCamera", QStringLiteral("the disk of camera %1"))
            .arg(m_serial.isEmpty() ? QStringLiteral("?") : m_serial);
    const QString name = CarrierText(disk, m_texts);
    return m_node.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, m_node);
}

void CameraFiles::Say(const char* key, const char* fallback, const QString& first,
                      const QString& second) {
    QString text = m_texts(kSection, key, QString::fromUtf8(fallback)).arg(first);
    if (!second.isNull()) text = text.arg(second);
    dialog::ShowMessageBox({m_parent, text, QString::fromUtf8(kPromptTitle)});
}
