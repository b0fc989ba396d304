#include "state_file.h"

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <type_traits>

namespace camsim::plumbing {
namespace {

template <typename Visitor>
void visitFields(CameraState& s, Visitor&& field) {
    field("modelId", s.modelId);
    field("version", s.version);
    field("barCode", s.barCode);
    field("manufacturer", s.manufacturer);
    field("product", s.product);
    field("serial", s.serial);
    field("macAddress", s.macAddress);
    field("password0", s.passwords[0]);
    field("password1", s.passwords[1]);
    field("lockoutAttempts", s.lockout.maxAttempts);
    field("lockoutDuration", s.lockout.duration);
    field("sysParam", s.sysParam);
    field("networkInfo", s.networkInfo);
    field("wifiUniversal", s.wifiUniversal);
    field("wifiApSetting", s.wifiApSetting);
    field("wifiStaSetting", s.wifiStaSetting);
    field("wifiChannelInfo", s.wifiChannelInfo);
    field("bluetoothInfo", s.bluetoothInfo);
    field("mobile4GInfo", s.mobile4GInfo);
    field("summerTime", s.summerTime);
    field("userId", s.userId);
    field("deviceId", s.deviceId);
    field("userName", s.userName);
    field("unitNumber", s.unitNumber);
    field("unitName", s.unitName);
    field("waterMark", s.waterMark);
    field("p2pCode", s.p2pCode);
    field("dataEncryption", s.dataEncryption);
    field("decryptionPlayback", s.decryptionPlayback);
    field("aesKey", s.aesKey);
    field("rsaAesKey", s.rsaAesKey);
    field("clock", s.clock);
    field("batteryPercent", s.batteryPercent);
    field("diskTotalMb", s.diskTotalMb);
    field("diskFreeMb", s.diskFreeMb);
    field("timeoutMs", s.timeoutMs);
    field("storageLocked", s.storageLocked);
    field("lockPassword", s.lockPassword);
    field("lastLed", s.lastLed);
    field("lastBuzzer", s.lastBuzzer);
    field("systemType", s.systemType);
    field("formatCount", s.formatCount);
    field("resetCount", s.resetCount);
    field("rebootDelay", s.rebootDelay);
    field("keyChunksNeverLast", s.keyChunksNeverLast);
}

// Texts are kept readable; bytes that would break a line are written \xHH.
std::string escape(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char code[5];
            std::snprintf(code, sizeof code, "\\x%02X", c);
            out += code;
        }
    }
    return out;
}

bool unescape(const std::string& text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        unsigned value = 0;
        if (i + 3 >= text.size() || text[i + 1] != 'x' ||
            std::sscanf(text.c_str() + i + 2, "%2x", &value) != 1)
            return false;
        out += static_cast<char>(value);
        i += 3;
    }
    return true;
}

struct Writer {
    std::ostringstream& out;
    void line(const char* name, const std::string& value) { out << name << '=' << value << '\n'; }
    void operator()(const char* name, std::string& v) { line(name, escape(v)); }
    template <std::size_t N>
    void operator()(const char* name, std::array<std::uint8_t, N>& bytes) {
        std::string hex;
        char pair[3];
        for (auto b : bytes) {
            std::snprintf(pair, sizeof pair, "%02X", b);
            hex += pair;
        }
        line(name, hex);
    }
    void operator()(const char* name, DateTime& t) {
        char text[32];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                      t.hour, t.minute, t.second);
        line(name, text);
    }
    void operator()(const char* name, std::chrono::milliseconds& ms) {
        line(name, std::to_string(ms.count()));
    }
    void operator()(const char* name, bool& v) { line(name, v ? "1" : "0"); }
    template <typename T>
    requires std::is_unsigned_v<T>
    void operator()(const char* name, T& v) { line(name, std::to_string(v)); }
};

struct Reader {
    const std::string& name;
    const std::string& value;
    bool found = false;
    bool ok = true;

    bool matches(const char* field) {
        if (name != field) return false;
        found = true;
        return true;
    }
    void operator()(const char* field, std::string& v) {
        if (matches(field)) ok = unescape(value, v);
    }
    template <std::size_t N>
    void operator()(const char* field, std::array<std::uint8_t, N>& bytes) {
        if (!matches(field)) return;
        ok = value.size() == 2 * N;
        for (std::size_t i = 0; ok && i < N; ++i) {
            unsigned b = 0;
            ok = std::sscanf(value.c_str() + 2 * i, "%2x", &b) == 1;
            bytes[i] = static_cast<std::uint8_t>(b);
        }
    }
    void operator()(const char* field, DateTime& t) {
        if (matches(field))
            ok = std::sscanf(value.c_str(), "%d-%d-%d %d:%d:%d", &t.year, &t.month, &t.day, &t.hour,
                             &t.minute, &t.second) == 6;
    }
    void operator()(const char* field, std::chrono::milliseconds& ms) {
        unsigned long long n = 0;
        (*this)(field, n);
        if (found && name == field) ms = std::chrono::milliseconds(n);
    }
    void operator()(const char* field, bool& v) {
        if (matches(field)) {
            ok = value == "0" || value == "1";
            v = value == "1";
        }
    }
    template <typename T>
    requires std::is_unsigned_v<T>
    void operator()(const char* field, T& v) {
        if (!matches(field)) return;
        char* end = nullptr;
        const unsigned long long n = std::strtoull(value.c_str(), &end, 10);
        ok = !value.empty() && *end == '\0' && n <= std::numeric_limits<T>::max();
        v = static_cast<T>(n);
    }
};

}  // namespace

std::string formatStateFile(const std::vector<SavedCamera>& cameras) {
    std::ostringstream out;
    for (SavedCamera camera : cameras) {
        out << "camera " << (camera.home == Carrier::Usb ? "usb" : "disk") << '\n';
        visitFields(camera.state, Writer{out});
        out << '\n';
    }
    return out.str();
}

std::optional<std::vector<SavedCamera>> parseStateFile(const std::string& text,
                                                       std::string& problem) {
    std::vector<SavedCamera> cameras;
    std::istringstream in(text);
    std::string line;
    for (unsigned number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const std::string where = "line " + std::to_string(number) + ": ";
        if (line == "camera usb" || line == "camera disk") {
            cameras.push_back(SavedCamera{line == "camera usb" ? Carrier::Usb : Carrier::Disk, {}});
            continue;
        }
        const auto equals = line.find('=');
        if (cameras.empty() || equals == std::string::npos) {
            problem = where + "expected \"camera usb\", \"camera disk\" or name=value";
            return std::nullopt;
        }
        const std::string name = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        Reader reader{name, value};
        visitFields(cameras.back().state, reader);
        if (!reader.found || !reader.ok) {
            problem = where + (reader.found ? "bad value for " : "unknown name ") + reader.name;
            return std::nullopt;
        }
    }
    return cameras;
}

}  // namespace camsim::plumbing
