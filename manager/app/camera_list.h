// The cameras offered at login, each told apart by its bar code and serial number,
// and the one line that names a camera to the operator.
#pragma once

#include <QString>
#include <vector>

#include "camera_entries.h"

// Every camera found, each with its bar code read over a short connection without a
// password when there is more than one to tell apart; a camera `known` on the same
// node keeps what was read before.
std::vector<FoundCamera> ListCameras(const Camera& library,
                                     const std::vector<FoundCamera>& known = {});

// Reads the bar code (and, on USB, the serial number) of `camera` over `connection`.
void ReadIdentity(const Camera& library, DeviceConnection* connection, FoundCamera& camera);

// The camera in one line for the login's list and the window title: its carrier,
// then each part known ("USB · BC0000000001 · SN0000000001").
QString CameraSummary(const FoundCamera& camera, const dialog::TextLookup& texts,
                      const QString& userName = {});
