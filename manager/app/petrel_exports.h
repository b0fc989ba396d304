// Typed look-up of the device library's exports. The types come from petrel.h;
// Vireo only reads the declarations and never links the library.
#pragma once

#include <petrel.h>

extern "C" {
// Command exports not yet declared in petrel.h; a differing declaration there
// fails the build, so the two cannot drift apart.
int VerifiPassword(DeviceConnection* connection, const char* password, int level);
int SyncDateTime(DeviceConnection* connection);
}

// The export `name` of the application's loaded library, typed as declared, or null.
#define PETREL_EXPORT(app, name) (app).LookUpExport<decltype(::name)>(#name)
