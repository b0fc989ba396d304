// A stand-in for libPetrel.so with the same export names, for the start-up and
// login tests. What it finds and answers comes from environment variables read
// at every call (the library is unloaded and loaded again at every login):
//   FAKE_PETREL_USB, FAKE_PETREL_DISK   cameras found on each path (default 1, 0)
//   FAKE_PETREL_CONNECT, FAKE_PETREL_VERIFY   status returned (default 0)
//   FAKE_PETREL_LOG   file to which every call is appended, one line each
// Compiled with FAKE_WITHOUT_STORAGE_LIST or FAKE_WITHOUT_VERIFY it lacks that export.
#include <petrel.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

struct DeviceListEntry {
    int kind;  // 0 USB, 1 disk
};
struct DeviceConnection {
    int kind;
};

namespace {

int Setting(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::atoi(value) : fallback;
}

void Log(const std::string& line) {
    const char* path = std::getenv("FAKE_PETREL_LOG");
    if (std::FILE* file = path != nullptr ? std::fopen(path, "a") : nullptr) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

int Fill(DeviceListEntry** list, int found, int capacity, int kind) {
    const int stored = found < capacity ? found : capacity;
    for (int i = 0; list != nullptr && i < stored; ++i) list[i] = new DeviceListEntry{kind};
    return stored;
}

const char* KindName(int kind) { return kind == 0 ? "usb" : "disk"; }

}  // namespace

extern "C" {

int EnumDeviceList(DeviceListEntry** list, int capacity) {
    Log("EnumDeviceList");
    return Fill(list, Setting("FAKE_PETREL_USB", 1), capacity < 1 ? 1 : capacity, 0);
}

#ifndef FAKE_WITHOUT_STORAGE_LIST
int EnumStorageList(DeviceListEntry** list, int) {
    Log("EnumStorageList");
    return Fill(list, Setting("FAKE_PETREL_DISK", 0), 22, 1);
}
#endif

int ReleaseList(DeviceListEntry** list, int count) {
    Log("ReleaseList " + std::to_string(count));
    for (int i = 0; i < count; ++i) {
        delete list[i];
        list[i] = nullptr;
    }
    return 0;
}

int ConnectDevice(const DeviceListEntry* entry, DeviceConnection** connection) {
    Log(std::string("ConnectDevice ") + KindName(entry->kind));
    const int status = Setting("FAKE_PETREL_CONNECT", STATUS_OK);
    if (status == STATUS_OK || status == STATUS_VERSION_MISMATCH)
        *connection = new DeviceConnection{entry->kind};
    return status;
}

int CloseDevice(DeviceConnection* connection) {
    Log(connection != nullptr ? std::string("CloseDevice ") + KindName(connection->kind)
                              : "CloseDevice null");
    delete connection;
    return 0;
}

#ifndef FAKE_WITHOUT_VERIFY
int VerifiPassword(DeviceConnection* connection, const char* password, int level) {
    Log("VerifiPassword " + std::string(password) + " " + std::to_string(level) +
        (connection != nullptr ? "" : " null"));
    return Setting("FAKE_PETREL_VERIFY", STATUS_OK);
}
#endif

int SyncDateTime(DeviceConnection*) {
    Log("SyncDateTime");
    return STATUS_OK;
}

int GetModelID(DeviceConnection* connection, char* out) {
    if (connection == nullptr) return STATUS_NO_CONNECTION;
    std::strcpy(out, connection->kind == 0 ? "FAKE_USB" : "FAKE_DISK");
    return STATUS_OK;
}

int GetDeviceVersion(DeviceConnection*, char* out) {
    std::strcpy(out, "FAKE_API_1.0.8");
    return STATUS_OK;
}

}  // extern "C"
