#pragma once

#include <QString>

namespace platform {
struct VersionRecord;
}

// "V1.0.8.7" from a version record's product version; "V0.0.0.0" without a record.
QString FormatVersionText(const platform::VersionRecord* record);
