// A window's operation on the camera into the audit trail: recorded, or, when the
// record cannot be written, the operator is told so with the reason. Never silent.
#pragma once

#include "camera_audit.h"
#include "text_lookup.h"

class Camera;
class QWidget;

void RecordOperation(Camera& camera, const dialog::TextLookup& texts, QWidget* parent,
                     const CameraAudit::Operation& operation);
// A login's password check that the camera refused with `status`.
void RecordRefusedLogin(Camera& camera, const dialog::TextLookup& texts, QWidget* parent,
                        int status);

// Looks the message up once, so a new language file lists it before it is ever needed.
void RegisterAuditMessages(const dialog::TextLookup& texts);
