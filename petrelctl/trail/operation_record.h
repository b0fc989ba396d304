// The audit trail of what petrelctl does to a camera: gathered while a command runs (the
// session says who the camera is and how the login went, each record write what it
// changed) and written as one record when the command has ended.
#pragma once

#include <string>

#include "camera/identity.h"
#include "commands/command.h"

namespace petrelctl {

// The camera the command opened.
void NoteCamera(const CameraIdentity& camera);

// The login succeeded, or the camera refused the password or has locked its checks.
void NoteLoggedIn();
void NoteLoginRefused();

// A field about to be written, with its value as read before and the value sent; a
// secret carries no value, only that it changed.
void NoteChange(const std::string& field, const std::string& oldValue, const std::string& newValue);
void NoteSecretChange(const std::string& field);

// Whether the camera kept what was written; one disagreement decides.
void NoteReadBack(bool agreed);

// The file an administrator chose for the trail (PETREL_AUDIT_FILE), or "": records then
// go to the journal where one runs, else to the user's file.
std::string ChosenAuditFile();

// Runs the command and records what it did to its camera: a refused login, or, once
// logged in, every command that changes the camera (a change command only when it sent
// a change). A record that cannot be written is said on standard error and makes the
// exit status 1; the command's own report stands as it happened.
int RunRecorded(const Command& command, const Options& options, Output& output);

}  // namespace petrelctl
