#include "field_changes.h"

#include <algorithm>
#include <array>

#include "field_text.h"
#include "record_fields.h"

namespace {

struct Naming {
    const fields::RecordFields& fields;
    const char* group;   // petrelctl's command
    const char* prefix;  // before the field's name where two records share names
};

const Naming* NamingOf(const fields::RecordFields& record) {
    using namespace fields;
    static const std::array<Naming, 14> kNamings{{
        {SettingsFields(), "settings", ""},
        {BarCodeFields(), "identity", ""},
        {MacAddressFields(), "identity", ""},
        {CarrierFields(), "identity", ""},
        {UnitFields(), "identity", ""},
        {WatermarkFields(), "identity", ""},
        {NetworkFields(), "network", ""},
        {WifiUniversalFields(), "wifi", ""},
        {WifiApFields(), "wifi", "ap."},
        {WifiStaFields(), "wifi", "sta."},
        {PairingCodeFields(), "wifi", ""},
        {BluetoothFields(), "bluetooth", ""},
        {Mobile4GFields(), "4g", ""},
        {EncryptionFields(), "encryption", ""},
    }};
    const auto found =
        std::find_if(kNamings.begin(), kNamings.end(),
                     [&record](const Naming& naming) { return &naming.fields == &record; });
    return found != kNamings.end() ? &*found : nullptr;
}

}  // namespace

std::string GroupOf(const fields::RecordFields& fields) {
    const Naming* naming = NamingOf(fields);
    return naming != nullptr ? naming->group : "";
}

std::vector<petrel::audit::Change> ChangedFields(const fields::RecordFields& fields,
                                                 std::span<const unsigned char> read,
                                                 std::span<const unsigned char> written) {
    std::vector<petrel::audit::Change> changes;
    if (read.size() != written.size()) return changes;
    const Naming* naming = NamingOf(fields);
    const std::string prefix = naming != nullptr ? naming->prefix : "";
    for (const fields::FieldSpec& field : fields) {
        if (field.size == 0 || field.offset + field.size > read.size()) continue;
        // Bytes, not texts: a text escapes control characters, so a typed backslash and
        // "n" would read like a newline.
        if (std::ranges::equal(read.subspan(field.offset, field.size),
                               written.subspan(field.offset, field.size)))
            continue;
        std::string before = fields::FieldText(field, read.data());
        std::string after = fields::FieldText(field, written.data());
        const std::string name = prefix + field.name;
        changes.push_back(
            petrel::audit::IsSecretField(name)
                ? petrel::audit::Change::Secret(name)
                : petrel::audit::Change::Value(name, std::move(before), std::move(after)));
    }
    return changes;
}
