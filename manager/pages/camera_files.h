// The camera's files one click away: after "Open File Explorer" the camera leaves
// for its disk, the desktop mounts that, and the file manager is opened on it.
// Vireo waits for the mount as udev and the mount table announce changes, at most
// the desktop's patience, with Cancel, and names the disk when nothing mounted it.
#pragma once

#include <QString>
#include <QUrl>
#include <chrono>
#include <functional>

#include "camera.h"
#include "text_lookup.h"

class QWidget;

// What the wait depends on outside the program; tests put doubles in.
struct FilesDesktop {
    // Where camera disk `letter` is mounted; empty while nothing is.
    std::function<QString(const Camera& camera, int letter)> mountPoint;
    // Opens the file manager on a folder; false when nothing could.
    std::function<bool(const QUrl& folder)> open;
    std::chrono::milliseconds patience{30000};
};

// The library's mount lookup and the desktop's file manager, waited for 30 s.
FilesDesktop RealFilesDesktop();
// Replaces the desktop the wait uses; returns the previous one.
FilesDesktop SetFilesDesktop(FilesDesktop desktop);

class CameraFiles {
public:
    // Notes which disk is the camera's: made before the camera leaves its USB
    // interface, whose descriptors alone give its serial number.
    CameraFiles(const Camera& camera, dialog::TextLookup texts, QWidget* parent);

    // Waits for the disk to be mounted and opens it in the file manager.
    void OpenWhenMounted();

private:
    // Opens the disk once it is mounted; true when the wait is over.
    bool Look();
    void FindDisk();
    QString DiskName() const;
    void Say(const char* key, const char* fallback, const QString& first,
             const QString& second = {});

    const Camera& m_camera;
    dialog::TextLookup m_texts;
    QWidget* m_parent;
    FilesDesktop m_desktop;
    QString m_serial;
    int m_letter = 0;  // the camera disk's drive letter once known
    QString m_node;    // its generic SCSI node, once known
};
