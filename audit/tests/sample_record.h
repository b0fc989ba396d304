// A record with every member set, texts a hostile camera might hold, and secrets given
// both as secrets and, by mistake, as plain values of secret fields.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "audit/audit.h"

namespace petrel::audit::test {

inline constexpr const char* kOldSecret = "old-s3cret-8888";
inline constexpr const char* kNewSecret = "new-s3cret-9999";

inline Record SampleRecord(const std::string& serial = "SN0000000001") {
    Record record = NewRecord(Event::kChange, "apply", "petrelctl", "1.0.8.7");
    record.carrier = "usb";
    record.location = "bus 1 device 4";
    record.cameraSerial = serial;
    record.cameraBarCode = "BC\n\"quoted\"\x1b[31m";
    record.cameraModel = "BWC_X1";
    record.cameraFirmware = "FW_2.4.1_API_1.0.8_B0420";
    record.changes = {Change::Value("settings.videoResolution", "6", "5"),
                      Change::Value("identity.watermark", "BWC", "line\nbreak \xff byte"),
                      Change::Secret("administrator password"),
                      Change::Value("wifi.sta.password", kOldSecret, kNewSecret),
                      Change::Value("mobile4G.simPin", kOldSecret, kNewSecret),
                      Change::Value("encryption.aesKey", kOldSecret, kNewSecret)};
    record.result = "STATUS_OK";
    record.readBackAgreed = false;
    return record;
}

// What the trail gives back for the sample: secrets by name lose their values, and the
// byte that is no UTF-8 becomes U+FFFD.
inline Record AsRecorded(Record record) {
    for (Change& change : record.changes) {
        if (IsSecretField(change.field) || change.secret) change = Change::Secret(change.field);
    }
    record.changes[1].newValue = "line\nbreak \xef\xbf\xbd byte";
    return record;
}

inline void ExpectSameRecord(const Record& got, const Record& wanted) {
    EXPECT_EQ(got.event, wanted.event);
    EXPECT_EQ(got.operation, wanted.operation);
    EXPECT_EQ(got.uid, wanted.uid);
    EXPECT_EQ(got.userName, wanted.userName);
    EXPECT_EQ(got.host, wanted.host);
    EXPECT_EQ(got.program, wanted.program);
    EXPECT_EQ(got.programVersion, wanted.programVersion);
    EXPECT_EQ(got.carrier, wanted.carrier);
    EXPECT_EQ(got.location, wanted.location);
    EXPECT_EQ(got.cameraSerial, wanted.cameraSerial);
    EXPECT_EQ(got.cameraBarCode, wanted.cameraBarCode);
    EXPECT_EQ(got.cameraModel, wanted.cameraModel);
    EXPECT_EQ(got.cameraFirmware, wanted.cameraFirmware);
    EXPECT_EQ(got.changes, wanted.changes);
    EXPECT_EQ(got.result, wanted.result);
    EXPECT_EQ(got.readBackAgreed, wanted.readBackAgreed);
}

}  // namespace petrel::audit::test
