// The one thread every call into the device library runs on, one call at a time, and
// the window's wait for each: its events go on (repainting, timers), the operator's
// input is held until a call has taken half a second, then a progress dialog names
// the operation and offers Cancel. A caller's frame waits until its call has
// returned, because the library writes into the caller's buffers; Cancel ends the
// operator's wait at once and says so, the rest is waited out under a note.
#pragma once

#include <QObject>
#include <QThread>
#include <functional>

#include "text_lookup.h"

class CameraWorker : public QObject {
    Q_OBJECT
public:
    explicit CameraWorker(dialog::TextLookup texts);
    ~CameraWorker() override;  // after the call under way has returned
    CameraWorker(const CameraWorker&) = delete;
    CameraWorker& operator=(const CameraWorker&) = delete;

    // Runs `call`, a call of export `name`, on the worker and waits for it. False when
    // the operator gave up waiting; `call` has returned either way.
    bool Run(const char* name, const std::function<void()>& call);

signals:
    // Cancel was pressed: the camera stopped answering and is given up.
    void GaveUp();

private:
    // The operation the progress dialog names for a call of export `name`.
    QString OperationOf(const char* name) const;

    dialog::TextLookup m_texts;
    QThread m_thread;
    QObject m_context;  // lives on the worker thread; calls are queued to it
};

// True while a call of the camera is waited for: what is heard meanwhile (udev) is
// taken up once the wait is over, so no second call starts inside the first one's wait.
bool CameraCallWaiting();
