/* Petrel: device library for the body-worn camera.
 *
 * Flat C exports with undecorated names. Every integer-returning export of the
 * connection-based family returns one of the PETREL status codes below; outputs
 * are written only on STATUS_OK. Records and text buffers belong to the caller.
 * The library keeps working storage shared by all connections: callers must
 * serialise every call (one thread at a time). Nothing is logged or printed.
 */
#ifndef PETREL_H
#define PETREL_H

#include <stdint.h>

#if defined(__GNUC__)
#define PETREL_API __attribute__((visibility("default")))
#else
#define PETREL_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Status codes ------------------------------------------------------ */

enum {
    STATUS_OK = 0,
    STATUS_FAILED = 1,            /* carrier failed, no valid reply, or the camera reported failure */
    STATUS_NO_CONNECTION = 2,     /* null handle, or a connection without a carrier */
    STATUS_BAD_ARGUMENT = 3,      /* null pointer, value out of range, or an unknown handle */
    STATUS_NOT_VERIFIED = 4,      /* needs a verified password; also a rejected password */
    STATUS_VERSION_MISMATCH = 5,  /* camera does not speak this interface version */
    STATUS_PASSWORD_LOCKED = 6,   /* camera refuses password checks for a while */
    STATUS_NOT_SUPPORTED = 7      /* export exists but performs nothing */
};

/* Name of a status ("STATUS_NO_CONNECTION") for messages and logs of callers.
 * Returns "STATUS_UNKNOWN" for a value that is not a status. */
PETREL_API const char* PetrelStatusName(int status);

/* ---- Opaque handles ---------------------------------------------------- */

/* One found camera, allocated by the enumeration exports, freed by ReleaseList. */
typedef struct DeviceListEntry DeviceListEntry;
/* An open connection, from ConnectDevice or ConnectStorageDevice, freed by CloseDevice. */
typedef struct DeviceConnection DeviceConnection;

/* The library knows each handle from the export that made it until CloseDevice or
 * ReleaseList. Any other non-null handle (closed, released, or made up) is refused
 * without being read: STATUS_BAD_ARGUMENT, or 0 from the exports that return a drive
 * letter. A null connection stays STATUS_NO_CONNECTION. */

/* ---- Discovery and connections ----------------------------------------- */

/* Finds USB cameras and stores up to max(capacity, 1) (at most 32) entries in list.
 * Returns the number found; with a null list nothing is allocated. */
PETREL_API int EnumDeviceList(DeviceListEntry** list, int capacity);

/* Finds camera disks among drive letters D..Y; list needs room for 22 entries (or null).
 * Returns the number found; the second argument is ignored. */
PETREL_API int EnumStorageList(DeviceListEntry** list, int ignored);

/* Frees list[0..count-1] and sets each slot to null; an entry the library does not know
 * (released before, or never listed) is skipped and its slot left. Always returns 0. */
PETREL_API int ReleaseList(DeviceListEntry** list, int count);

/* Drive letter (character code) of a disk entry; 0 for a USB entry or an unknown one. */
PETREL_API int GetStorageDisk(const DeviceListEntry* entry);

/* Drive letter (character code) of a disk connection; 0 for USB, a null or an unknown handle. */
PETREL_API int GetStorageID(const DeviceConnection* connection);

/* Writes the volume name of drive `letter` (low byte) into out (>= 260 bytes) and takes
 * the disk away from the file system. Returns 0 on success, 1 on failure. */
PETREL_API int StorageToVolumeName(int letter, char* out);

/* Opens a connection on a list entry and stores it in *connection.
 * STATUS_OK; STATUS_VERSION_MISMATCH with the connection stored (caller closes it);
 * STATUS_BAD_ARGUMENT for a null, unknown or released entry or a null connection;
 * STATUS_FAILED when the camera cannot be opened. */
PETREL_API int ConnectDevice(const DeviceListEntry* entry, DeviceConnection** connection);

/* As ConnectDevice, on the camera disk of drive `letter` (low byte). */
PETREL_API int ConnectStorageDevice(int letter, DeviceConnection** connection);

/* Closes and frees a connection; returns 0, also for null. A handle the library does not
 * know (closed before, or made up) is left alone: STATUS_BAD_ARGUMENT. */
PETREL_API int CloseDevice(DeviceConnection* connection);

/* Copies the USB string descriptors read at connect time into three 32-byte buffers.
 * STATUS_OK; STATUS_FAILED for a null handle or a connection without USB handle;
 * STATUS_BAD_ARGUMENT for an unknown handle or a null buffer. */
PETREL_API int GetDescriptorString(const DeviceConnection* connection, char* manufacturer,
                                   char* product, char* serial);

/* Firmware version text into out (>= 48 bytes; 47 are written). No password needed. */
PETREL_API int GetDeviceVersion(DeviceConnection* connection, char* out);

/* Restores the camera's default settings. Needs a verified password. */
PETREL_API int ResetDevice(DeviceConnection* connection);

/* Model identifier text into out (>= 32 bytes). No password needed. */
PETREL_API int GetModelID(DeviceConnection* connection, char* out);

/* Bar code text into out (>= 32 bytes). No password needed. */
PETREL_API int GetBarCode(DeviceConnection* connection, char* out);

/* Tells the camera which kind of host talks to it (1 = this manager). */
PETREL_API int SetSystemType(DeviceConnection* connection, int type);

/* ---- Records ----------------------------------------------------------- */

/* Every record below is a packed byte layout shared with the camera: texts are
 * zero-padded fields (a full field has no terminator, so read them bounded by the
 * field size), numbers are little-endian, codes are the camera's own. */

#ifdef __cplusplus
#define PETREL_STATIC_ASSERT(condition, message) static_assert(condition, message)
#else
#define PETREL_STATIC_ASSERT(condition, message) _Static_assert(condition, message)
#endif

enum { PETREL_USER_GENERAL = 0, PETREL_USER_ADMINISTRATOR = 1 };

#pragma pack(push, 1)

/* Calendar time; on the wire 8 bytes (year - 1900 as 16 bits, then one byte each). */
typedef struct DeviceTime {
    int32_t year; /* full year, e.g. 2024 */
    int32_t month; /* 1-12 */
    int32_t day; /* 1-31 */
    int32_t hour; /* 0-23 */
    int32_t minute; /* 0-59 */
    int32_t second; /* 0-59 */
} DeviceTime;

/* The camera's daylight-saving rule, eight bytes it alone interprets. */
typedef struct SummerTimeInfo {
    uint8_t rule[8];
} SummerTimeInfo;

/* The camera's connection to a management platform. */
typedef struct NetworkInfo {
    char deviceName[32];
    uint8_t protocol; /* PETREL_CODES_PROTOCOL */
    uint8_t serverArea; /* country code 0-49 */
    char serverUrl[16];
    char serverIp[16]; /* dotted decimal text */
    char serverPort[8]; /* decimal text */
    char equipmentNo[16];
    char serverPassword[16];
} NetworkInfo;

/* The WiFi switch and the addresses common to every WiFi mode. */
typedef struct WifiUniversal {
    uint8_t wifiActivate; /* PETREL_CODES_ACTIVATE */
    uint8_t wifiMode; /* PETREL_CODES_WIFI_MODE */
    uint8_t connectTimeout; /* PETREL_CODES_CONNECT_TIMEOUT */
    char macAddress[32]; /* 12 hexadecimal characters */
    char cameraIp[16]; /* dotted decimal text */
    char gateway[16]; /* dotted decimal text */
} WifiUniversal;

/* The access point the camera offers in AP mode; texts are UTF-8. */
typedef struct WifiApSetting {
    char ssid[48];
    char password[32];
    uint8_t connectionLimit; /* clients minus one: 0-4 */
    uint8_t band; /* PETREL_CODES_BAND */
    uint8_t channel; /* one of the band's WifiChannelInfo entries; 0 automatic */
} WifiApSetting;

/* The network the camera joins in STA mode; texts are UTF-8. */
typedef struct WifiStaSetting {
    char ssid[48];
    char password[32];
    uint8_t autoGetIp; /* PETREL_CODES_AUTO_GET_IP */
} WifiStaSetting;

/* Channels the camera supports: 0 is automatic, PETREL_CHANNEL_LIST_END ends a list. */
typedef struct WifiChannelInfo {
    uint8_t channels24G[14];
    uint8_t channels5G[25];
} WifiChannelInfo;

enum { PETREL_CHANNEL_AUTO = 0, PETREL_CHANNEL_LIST_END = 0xFF };

/* Number of entries of a channel list before its end marker, at most size. */
static inline int PetrelChannelCount(const uint8_t* list, int size) {
    int count = 0;
    while (count < size && list[count] != PETREL_CHANNEL_LIST_END) ++count;
    return count;
}

typedef struct BluetoothInfo {
    uint8_t btActivate; /* PETREL_CODES_ACTIVATE */
    char btAddress[32];
    char pairName[32];
    char pairMac[32];
    uint8_t heartRateLow;
    uint8_t heartRateHigh;
} BluetoothInfo;

/* Cellular data settings. */
typedef struct Mobile4GInfo {
    uint8_t activate4G; /* PETREL_CODES_ACTIVATE */
    char simPin[16];
    char apn[32];
    char apnUserName[16];
    char apnPassword[16];
} Mobile4GInfo;

/* The settings block: one byte per setting, read and written whole.
 * PETREL_SYSPARAM_FIELDS below lists each field with its allowed codes. */
typedef struct SysParam {
    uint8_t videoResolution;
    uint8_t videoQuality;
    uint8_t streamResolution;
    uint8_t streamControl;
    uint8_t loopRecording;
    uint8_t videoSplit;
    uint8_t preRecord;
    uint8_t postRecord;
    uint8_t muteRecording;
    uint8_t recordNotification;
    uint8_t powerOnRecord;
    uint8_t motionDetection;
    uint8_t pictureSize;
    uint8_t pictureQuality;
    uint8_t burstMode;
    uint8_t selfieTimer;
    uint8_t timelapse;
    uint8_t refreshRate;
    uint8_t tvOut;
    uint8_t displayBrightness;
    uint8_t autoBrightness;
    uint8_t lcdAutoOff;
    uint8_t keyTone;
    uint8_t speakerVolume;
    uint8_t audioPrompt;
    uint8_t ledLight;
    uint8_t clockPrompt;
    uint8_t carMode;
    uint8_t dateFormat;
    uint8_t fileTagging;
    uint8_t gps;
    uint8_t autoTimeSync;
    uint8_t timeZone;
    uint8_t vibration;
    uint8_t autoIr;
    uint8_t irSensitivity;
    uint8_t autoPowerOff;
    uint8_t stealthMode;
    uint8_t language;
    uint8_t enhancedStandby;
    uint8_t playbackMode;
    uint8_t streamBitrate;
    uint8_t webServer;
    uint8_t watermarkLogo;
    uint8_t chargeState;
    uint8_t encodingFormat;
    uint8_t streamFrameRate;
    uint8_t videoEis;
    uint8_t lowSpaceWarning;
    uint8_t lowBatteryWarning;
    uint8_t doubleClickRecord;
} SysParam;

#pragma pack(pop)

PETREL_STATIC_ASSERT(sizeof(DeviceTime) == 24, "DeviceTime is 24 bytes");
PETREL_STATIC_ASSERT(sizeof(SummerTimeInfo) == 8, "SummerTimeInfo is 8 bytes");
PETREL_STATIC_ASSERT(sizeof(NetworkInfo) == 106, "NetworkInfo is 106 bytes");
PETREL_STATIC_ASSERT(sizeof(WifiUniversal) == 67, "WifiUniversal is 67 bytes");
PETREL_STATIC_ASSERT(sizeof(WifiApSetting) == 83, "WifiApSetting is 83 bytes");
PETREL_STATIC_ASSERT(sizeof(WifiStaSetting) == 81, "WifiStaSetting is 81 bytes");
PETREL_STATIC_ASSERT(sizeof(WifiChannelInfo) == 39, "WifiChannelInfo is 39 bytes");
PETREL_STATIC_ASSERT(sizeof(BluetoothInfo) == 99, "BluetoothInfo is 99 bytes");
PETREL_STATIC_ASSERT(sizeof(Mobile4GInfo) == 81, "Mobile4GInfo is 81 bytes");
PETREL_STATIC_ASSERT(sizeof(SysParam) == 51, "SysParam is 51 bytes");

/* Caller buffer sizes of the text and key exports. */
enum {
    PETREL_USER_ID_SIZE = 16,
    PETREL_USER_NAME_SIZE = 32,
    PETREL_DEVICE_ID_SIZE = 16,
    PETREL_UNIT_TEXT_SIZE = 32,
    PETREL_PASSWORD_SIZE = 16,
    PETREL_MAC_ADDRESS_SIZE = 12,
    PETREL_WATERMARK_SIZE = 48,
    PETREL_P2P_CODE_SIZE = 9,
    PETREL_AES_KEY_SIZE = 32,
    PETREL_RSA_AES_KEY_SIZE = 480,
    PETREL_HEARTBEAT_MAX_MS = 120000
};

/* ---- Code lists -------------------------------------------------------- */

/* Each list is an X-macro: PETREL_CODES_xxx(C) expands C(code, "text") once per
 * option, in the order a user is offered them. Codes are not positions. */

#define PETREL_CODES_OFF_ON(C) C(0, "Off") C(1, "On")
#define PETREL_CODES_QUALITY(C) C(0, "High") C(1, "Medium") C(2, "Low")
#define PETREL_CODES_VIDEO_RESOLUTION(C) \
    C(5, "1920*1080(P60)") C(6, "1920*1080(P30)") C(10, "1280*720(P60)") \
    C(11, "1280*720(P30)") C(13, "848*480(P30)")
/* Further resolutions a camera may report but is never offered. */
#define PETREL_CODES_VIDEO_RESOLUTION_REPORTED(C) \
    C(1, "2560*1440") C(2, "2304*1296") C(7, "1440*1080")
#define PETREL_CODES_STREAM_RESOLUTION(C) C(1, "1280*720") C(2, "848*480") C(3, "432*240")
#define PETREL_CODES_STREAM_CONTROL(C) \
    C(0, "OFF") C(1, "Audio") C(2, "Video") C(3, "AV") C(4, "Text") C(5, "ALL")
#define PETREL_CODES_VIDEO_SPLIT(C) \
    C(2, "2 min") C(4, "5 min") C(5, "10 min") C(6, "15 min") C(8, "30 min")
#define PETREL_CODES_PRE_RECORD(C) C(0, "Off") C(7, "On")
#define PETREL_CODES_POST_RECORD(C) \
    C(0, "Off") C(1, "5 sec") C(2, "10 sec") C(3, "20 sec") C(4, "30 sec") C(5, "60 sec")
#define PETREL_CODES_MUTE_RECORDING(C) C(0, "Off") C(1, "On") C(2, "Pre recorded")
#define PETREL_CODES_RECORD_NOTIFICATION(C) \
    C(0, "Off") C(1, "5 sec") C(2, "10 sec") C(3, "15 sec") C(4, "30 sec") C(5, "60 sec")
#define PETREL_CODES_PICTURE_SIZE(C) \
    C(10, "40M") C(9, "30M") C(3, "16M") C(4, "12M") C(5, "8M") C(7, "4M")
#define PETREL_CODES_BURST_MODE(C) \
    C(0, "Off") C(1, "2 pictures") C(2, "3 pictures") C(3, "5 pictures") \
    C(4, "10 pictures") C(5, "15 pictures") C(6, "20 pictures") C(7, "30 pictures")
#define PETREL_CODES_SELFIE_TIMER(C) C(0, "Off") C(1, "3 sec") C(2, "5 sec") C(3, "10 sec")
#define PETREL_CODES_TIMELAPSE(C) \
    C(0, "Off") C(1, "0.5 sec") C(2, "1 sec") C(3, "3 sec") C(4, "5 sec") C(5, "10 sec")
#define PETREL_CODES_REFRESH_RATE(C) C(0, "Auto") C(1, "60 Hz") C(2, "50 Hz")
#define PETREL_CODES_TV_OUT(C) C(0, "NTSC") C(1, "PAL")
#define PETREL_CODES_ONE_TO_TEN(C) \
    C(1, "1") C(2, "2") C(3, "3") C(4, "4") C(5, "5") \
    C(6, "6") C(7, "7") C(8, "8") C(9, "9") C(10, "10")
#define PETREL_CODES_DISPLAY_BRIGHTNESS(C) C(0, "Automatic") PETREL_CODES_ONE_TO_TEN(C)
#define PETREL_CODES_SPEAKER_VOLUME(C) C(0, "0") PETREL_CODES_ONE_TO_TEN(C)
#define PETREL_CODES_IR_SENSITIVITY(C) PETREL_CODES_ONE_TO_TEN(C)
#define PETREL_CODES_LCD_AUTO_OFF(C) \
    C(0, "OFF") C(1, "10 sec") C(2, "30 sec") C(3, "1 min") C(4, "3 min") C(5, "5 min")
#define PETREL_CODES_AUDIO_PROMPT(C) C(0, "Off") C(1, "Beep") C(2, "Speech")
#define PETREL_CODES_DATE_FORMAT(C) C(0, "YYYY-MM-DD") C(1, "DD-MM-YYYY") C(2, "MM-DD-YYYY")
#define PETREL_CODES_FILE_TAGGING(C) \
    C(0, "Normal") C(1, "Traffic") C(2, "Dwi") C(3, "Confidential") C(4, "Criminal") \
    C(5, "Others")
/* Half-hour steps: code = (hours from UTC + 12) * 2. */
#define PETREL_CODES_TIME_ZONE(C) \
    C(0, "UTC-12.0") C(1, "UTC-11.5") C(2, "UTC-11.0") C(3, "UTC-10.5") \
    C(4, "UTC-10.0") C(5, "UTC-9.5") C(6, "UTC-9.0") C(7, "UTC-8.5") \
    C(8, "UTC-8.0") C(9, "UTC-7.5") C(10, "UTC-7.0") C(11, "UTC-6.5") \
    C(12, "UTC-6.0") C(13, "UTC-5.5") C(14, "UTC-5.0") C(15, "UTC-4.5") \
    C(16, "UTC-4.0") C(17, "UTC-3.5") C(18, "UTC-3.0") C(19, "UTC-2.5") \
    C(20, "UTC-2.0") C(21, "UTC-1.5") C(22, "UTC-1.0") C(23, "UTC-0.5") \
    C(24, "UTC+0.0") C(25, "UTC+0.5") C(26, "UTC+1.0") C(27, "UTC+1.5") \
    C(28, "UTC+2.0") C(29, "UTC+2.5") C(30, "UTC+3.0") C(31, "UTC+3.5") \
    C(32, "UTC+4.0") C(33, "UTC+4.5") C(34, "UTC+5.0") C(35, "UTC+5.5") \
    C(36, "UTC+6.0") C(37, "UTC+6.5") C(38, "UTC+7.0") C(39, "UTC+7.5") \
    C(40, "UTC+8.0") C(41, "UTC+8.5") C(42, "UTC+9.0") C(43, "UTC+9.5") \
    C(44, "UTC+10.0") C(45, "UTC+10.5") C(46, "UTC+11.0") C(47, "UTC+11.5") \
    C(48, "UTC+12.0")
#define PETREL_CODES_AUTO_IR(C) C(0, "Off") C(2, "During Recording") C(3, "Auto")
#define PETREL_CODES_AUTO_POWER_OFF(C) \
    C(0, "Off") C(1, "30 sec") C(2, "1 min") C(3, "3 min") C(4, "5 min") C(5, "10 min") \
    C(6, "30 min")
#define PETREL_CODES_LANGUAGE(C) \
    C(0, "English") C(1, "Simplified Chinese") C(2, "Traditional Chinese")
#define PETREL_CODES_PLAYBACK_MODE(C) \
    C(0, "Unicast") C(1, "Unicast All") C(2, "Loop Unicast") C(3, "Loop All")
#define PETREL_CODES_STREAM_BITRATE(C) \
    C(0, "5000Kbs") C(1, "4000Kbs") C(2, "3000Kbs") C(3, "2000Kbs") C(4, "1000Kbs") \
    C(5, "500Kbs") C(6, "300Kbs")
#define PETREL_CODES_WEB_SERVER(C) C(0, "Off") C(1, "Http") C(2, "Https") C(3, "Http&Https")
#define PETREL_CODES_CHARGE_STATE(C) C(0, "Off") C(1, "Normal State") C(2, "Fast State")
#define PETREL_CODES_ENCODING_FORMAT(C) C(0, "H264") C(1, "H265")
#define PETREL_CODES_STREAM_FRAME_RATE(C) \
    C(0, "5FPS") C(1, "10FPS") C(2, "15FPS") C(3, "20FPS") C(4, "25FPS") C(5, "30FPS")

/* Codes of the other records. */
#define PETREL_CODES_PROTOCOL(C) C(0, "Off") C(1, "ONVIF") C(2, "Skyvale") C(3, "28181")
#define PETREL_CODES_ACTIVATE(C) C(0, "Off") C(1, "Automatically") C(2, "Manually")
#define PETREL_CODES_WIFI_MODE(C) C(0, "AP mode") C(1, "STA mode") C(2, "P2P mode")
#define PETREL_CODES_CONNECT_TIMEOUT(C) \
    C(0, "Off") C(1, "60 s") C(2, "180 s") C(3, "300 s") C(4, "600 s") C(5, "1800 s")
#define PETREL_CODES_BAND(C) C(0, "2.4 GHz") C(1, "5 GHz")
#define PETREL_CODES_AUTO_GET_IP(C) C(0, "On") C(1, "Off")
#define PETREL_CODES_DATA_ENCRYPTION(C) \
    C(0, "Off") C(1, "File Encryption") C(2, "Streaming Encryption") C(3, "Both")
#define PETREL_CODES_LED(C) C(0, "Red") C(1, "Green") C(2, "Blue") C(3, "White")
#define PETREL_CODES_LED_STATE(C) C(0, "Close") C(1, "Light") C(2, "Twinkle")

/* ---- Settings block fields --------------------------------------------- */

/* A field is a list (one of its codes) or a flag (1 on, 0 off). */
enum { PETREL_SETTING_LIST = 0, PETREL_SETTING_FLAG = 1 };

/* PETREL_SYSPARAM_FIELDS(X) expands X(offset, field, kind, codes) for every byte of
 * SysParam in order; codes names the code list macro of the field. */
#define PETREL_SYSPARAM_FIELDS(X) \
    X(0, videoResolution, PETREL_SETTING_LIST, PETREL_CODES_VIDEO_RESOLUTION) \
    X(1, videoQuality, PETREL_SETTING_LIST, PETREL_CODES_QUALITY) \
    X(2, streamResolution, PETREL_SETTING_LIST, PETREL_CODES_STREAM_RESOLUTION) \
    X(3, streamControl, PETREL_SETTING_LIST, PETREL_CODES_STREAM_CONTROL) \
    X(4, loopRecording, PETREL_SETTING_FLAG, PETREL_CODES_OFF_ON) \
    X(5, videoSplit, PETREL_SETTING_LIST, PETREL_CODES_VIDEO_SPLIT) \
    X(6, preRecord, PETREL_SETTING_LIST, PETREL_CODES_PRE_RECORD) \
    X(7, postRecord, PETREL_SETTING_LIST, PETREL_CODES_POST_RECORD) \
    X(8, muteRecording, PETREL_SETTING_LIST, PETREL_CODES_MUTE_RECORDING) \
    X(9, recordNotification, PETREL_SETTING_LIST, PETREL_CODES_RECORD_NOTIFICATION) \
    X(10, powerOnRecord, PETREL_SETTING_FLAG, PETREL_CODES_OFF_ON) \
    X(11, motionDetection, PETREL_SETTING_FLAG, PETREL_CODES_OFF_ON) \
    X(12, pictureSize, PETREL_SETTING_LIST, PETREL_CODES_PICTURE_SIZE) \
    X(13, pictureQuality, PETREL_SETTING_LIST, PETREL_CODES_QUALITY) \
    X(14, burstMode, PETREL_SETTING_LIST, PETREL_CODES_BURST_MODE) \
    X(15, selfieTimer, PETREL_SETTING_LIST, PETREL_CODES_SELFIE_TIMER) \
    X(16, timelapse, PETREL_SETTING_LIST, PETREL_CODES_TIMELAPSE) \
    X(17, refreshRate, PETREL_SETTING_LIST, PETREL_CODES_REFRESH_RATE) \
    X(18, tvOut, PETREL_SETTING_LIST, PETREL_CODES_TV_OUT) \
    X(19, displayBrightness, PETREL_SETTING_LIST, PETREL_CODES_DISPLAY_BRIGHTNESS) \
    X(20, autoBrightness, PETREL_SETTING_FLAG, PETREL_CODES_OFF_ON) \
    X(21, lcdAutoOff, PETREL_SETTING_LIST, PETREL_CODES_LCD_AUTO_OFF) \
    X(22, keyTone, PETREL_SETTING_FLAG, PETREL_CODES_OFF_ON) \
    X(23, speakerVolume, PETREL_SETTING_LIST, PETREL_CODES_SPEAKER_VOLUME) \
    X(24, audioPrompt, PETREL_SETTING_LIST, PETREL_CODES_AUDIO_PROMPT) \
    X(25, ledLight, PETREL_SETTING_FLAG, PETREL_CODES_OFF_ON) \
    X(26, clockPrompt, PETREL_SETTING_FLAG, PETREL_CODES_OFF_ON) \
    X(27, carMode, PETREL_SETTING_FLAG, PETREL_CODES_OFF_ON) \
    X(28, dateFormat, PETREL_SETTING_LIST, PETREL_CODES_DATE_FORMAT) \
    X(29, fileTagging, PETREL_SETTING_LIST, PETREL_CODES_FILE_TAGGING) \
    X(30, gps, PETREL_SETTING_FLAG, PETREL_CODES_OFF_ON) \
    X(31, autoTimeSync, PETREL_SETTING_FLAG, PETREL_CODES_OFF_ON) \
    X(32, timeZone, PETREL_SETTING_LIST, PETREL_CODES_TIME_ZONE) \
    X(33, vibration, PETREL_SETTING_FLAG, PETREL_CODES_OFF_ON) \
    X(34, autoIr, PETREL_SETTING_LIST, PETREL_CODES_AUTO_IR) \
    X(35, irSensitivity, PETREL_SETTING_LIST, PETREL_CODES_IR_SENSITIVITY) \
    X(36, autoPowerOff, PETREL_SETTING_LIST, PETREL_CODES_AUTO_POWER_OFF) \
    X(37, stealthMode, PETREL_SETTING_FLAG, PETREL_CODES_OFF_ON) \
    X(38, language, PETREL_SETTING_LIST, PETREL_CODES_LANGUAGE) \
    X(39, enhancedStandby, PETREL_SETTING_FLAG, PETREL_CODES_OFF_ON) \
    X(40, playbackMode, PETREL_SETTING_LIST, PETREL_CODES_PLAYBACK_MODE) \
    X(41, streamBitrate, PETREL_SETTING_LIST, PETREL_CODES_STREAM_BITRATE) \
    X(42, webServer, PETREL_SETTING_LIST, PETREL_CODES_WEB_SERVER) \
    X(43, watermarkLogo, PETREL_SETTING_LIST, PETREL_CODES_OFF_ON) \
    X(44, chargeState, PETREL_SETTING_LIST, PETREL_CODES_CHARGE_STATE) \
    X(45, encodingFormat, PETREL_SETTING_LIST, PETREL_CODES_ENCODING_FORMAT) \
    X(46, streamFrameRate, PETREL_SETTING_LIST, PETREL_CODES_STREAM_FRAME_RATE) \
    X(47, videoEis, PETREL_SETTING_LIST, PETREL_CODES_OFF_ON) \
    X(48, lowSpaceWarning, PETREL_SETTING_FLAG, PETREL_CODES_OFF_ON) \
    X(49, lowBatteryWarning, PETREL_SETTING_FLAG, PETREL_CODES_OFF_ON) \
    X(50, doubleClickRecord, PETREL_SETTING_LIST, PETREL_CODES_OFF_ON)

/* ---- Passwords --------------------------------------------------------- */

/* Asks the camera to check the password (first 16 characters) of level 0 or 1.
 * STATUS_OK sets the verified level; STATUS_NOT_VERIFIED rejected, STATUS_PASSWORD_LOCKED. */
PETREL_API int VerifiPassword(DeviceConnection* connection, const char* password, int level);

/* Copies the stored password of level 0 or 1 into out (16 bytes, no terminator added).
 * No verified password needed; STATUS_BAD_ARGUMENT for a null out or another level. */
PETREL_API int GetPassword(DeviceConnection* connection, char* out, int level);

/* Changes the password of level 0 or 1 (first 16 characters are sent, masked).
 * Changing the verified level's own password renews the connection's key. */
PETREL_API int SetPassword(DeviceConnection* connection, const char* password, int level);

/* ---- Clock ------------------------------------------------------------- */

/* Reads the camera's clock into *time.
 * Guards: connection, verified password, then a null record. */
PETREL_API int GetTime(DeviceConnection* connection, DeviceTime* time);

/* Sets the camera's clock; ranges are not checked, only the low bytes travel.
 * Guards: connection, a null record, then verified password. */
PETREL_API int SetTime(DeviceConnection* connection, const DeviceTime* time);

/* Sets the camera's clock to this computer's local calendar time.
 * STATUS_OK once the camera confirmed it. */
PETREL_API int SyncDateTime(DeviceConnection* connection);

/* Reads the camera's daylight-saving rule into *info.
 * STATUS_FAILED leaves *info untouched. */
PETREL_API int GetSummerTimeInfo(DeviceConnection* connection, SummerTimeInfo* info);

/* Writes the camera's daylight-saving rule; a record read back is unchanged.
 * STATUS_OK once the camera confirmed it. */
PETREL_API int SetSummerTimeInfo(DeviceConnection* connection, const SummerTimeInfo* info);

/* ---- Settings block ---------------------------------------------------- */

/* Reads the whole settings block, byte for byte; bytes a short reply lacks become 0.
 * Guards: connection, a null record, then verified password. */
PETREL_API int GetSysParam(DeviceConnection* connection, SysParam* settings);

/* Writes the whole settings block unchecked; STATUS_OK as soon as it was sent
 * (the camera does not confirm). Guards as GetSysParam. */
PETREL_API int SetSysParam(DeviceConnection* connection, const SysParam* settings);

/* ---- Identity ---------------------------------------------------------- */

/* Reads user number (16 bytes), user name (32 bytes, or null to skip) and device
 * number (16 bytes) into the caller's buffers, each field bounded, no terminator added. */
PETREL_API int GetUserDevID(DeviceConnection* connection, char* userId, char* userName,
                            char* deviceId);

/* Writes user number and device number (first 16 characters, masked) and, unless null,
 * the user name (first 32 characters). Not confirmed by the camera. */
PETREL_API int SetUserDevID(DeviceConnection* connection, const char* userId,
                            const char* userName, const char* deviceId);

/* Reads unit number and unit name, 32 bytes each, into the two buffers.
 * No terminator is added to a full field. */
PETREL_API int GetDeptInfo(DeviceConnection* connection, char* unitNumber, char* unitName);

/* Writes unit number and unit name: a text of up to 32 characters goes whole, a
 * longer one is cut to 31. Not confirmed by the camera. */
PETREL_API int SetDeptInfo(DeviceConnection* connection, const char* unitNumber,
                           const char* unitName);

/* Writes the model identifier (first 32 characters). Not confirmed by the camera.
 * The connection keeps the model code it read when it opened. */
PETREL_API int SetModelID(DeviceConnection* connection, const char* text);

/* Writes the bar code (first 16 characters). Not confirmed by the camera.
 * Read it back with GetBarCode. */
PETREL_API int SetBarCode(DeviceConnection* connection, const char* text);

/* Copies the 12-character MAC address into out (12 bytes written, no terminator:
 * pass 13 zeroed bytes for a string). */
PETREL_API int GetMacAddress(DeviceConnection* connection, char* out);

/* Writes the MAC address text (first 12 characters).
 * Not confirmed by the camera. */
PETREL_API int SetMacAddress(DeviceConnection* connection, const char* text);

/* Copies the watermark text into out (48 bytes; UTF-8 from the manager).
 * A 48-byte text has no terminator. */
PETREL_API int GetWaterMark(DeviceConnection* connection, char* out);

/* Writes the watermark text (first 48 bytes).
 * Not confirmed by the camera. */
PETREL_API int SetWaterMark(DeviceConnection* connection, const char* text);

/* Copies the pairing code and a terminator into out (9 bytes).
 * STATUS_FAILED leaves out untouched. */
PETREL_API int GetP2pCode(DeviceConnection* connection, char* out);

/* Writes the pairing code; it must be exactly 8 characters, else STATUS_BAD_ARGUMENT
 * and nothing is sent. STATUS_OK once the camera confirmed it. */
PETREL_API int SetP2pCode(DeviceConnection* connection, const char* code);

/* ---- Status ------------------------------------------------------------ */

/* Remaining battery charge in percent into *percent.
 * Guards: connection, verified password, then a null pointer. */
PETREL_API int GetBattery(DeviceConnection* connection, uint16_t* percent);

/* Storage capacity and free space in MiB. A disk connection asks the system for its
 * mounted volume first and the camera only when that fails. */
PETREL_API int GetDiskSpaceInfo(DeviceConnection* connection, uint32_t* totalMb,
                                uint32_t* freeMb);

/* The camera's time-out in ms into *timeoutMs (null skips the store).
 * STATUS_FAILED when the camera does not answer. */
PETREL_API int GetTimeOut(DeviceConnection* connection, uint32_t* timeoutMs);

/* Sends a heartbeat with a time-out (above PETREL_HEARTBEAT_MAX_MS sends the cap) and
 * stores the camera's answer in *cameraTimeoutMs unless null. */
PETREL_API int SendHeartbeat(DeviceConnection* connection, uint32_t timeoutMs,
                             uint32_t* cameraTimeoutMs);

/* ---- Network ----------------------------------------------------------- */

/* Reads the platform settings. Every plain record Get below returns STATUS_OK with
 * the record filled, or a failure with it untouched. */
PETREL_API int GetNetworkInfo(DeviceConnection* connection, NetworkInfo* info);

/* Writes the platform settings, unchecked. Every plain record Set below returns
 * STATUS_OK once the camera confirmed it. */
PETREL_API int SetNetworkInfo(DeviceConnection* connection, const NetworkInfo* info);

/* Reads the WiFi switch, mode and addresses.
 * Guards: connection, verified password, then a null record. */
PETREL_API int GetWifiUniversal(DeviceConnection* connection, WifiUniversal* info);

/* Writes the WiFi switch, mode and addresses.
 * Guards: connection, verified password, then a null record. */
PETREL_API int SetWifiUniversal(DeviceConnection* connection, const WifiUniversal* info);

/* Reads the access point settings of AP mode.
 * Texts are UTF-8, bounded by their fields. */
PETREL_API int GetWifiApSetting(DeviceConnection* connection, WifiApSetting* info);

/* Writes the access point settings of AP mode; the channel is not checked against
 * the camera's list. */
PETREL_API int SetWifiApSetting(DeviceConnection* connection, const WifiApSetting* info);

/* Reads the channels the camera supports in each band.
 * Count a list's entries with PetrelChannelCount. */
PETREL_API int GetWifiChannelInfo(DeviceConnection* connection, WifiChannelInfo* info);

/* Reads the network the camera joins in STA mode.
 * Texts are UTF-8, bounded by their fields. */
PETREL_API int GetWifiStaSetting(DeviceConnection* connection, WifiStaSetting* info);

/* Writes the network the camera joins in STA mode; each text is sent up to its first
 * zero byte, at most its field, the rest of the field zero. */
PETREL_API int SetWifiStaSetting(DeviceConnection* connection, const WifiStaSetting* info);

/* Reads the Bluetooth settings.
 * Guards: connection, verified password, then a null record. */
PETREL_API int GetBluetoothInfo(DeviceConnection* connection, BluetoothInfo* info);

/* Writes the Bluetooth settings.
 * Guards: connection, verified password, then a null record. */
PETREL_API int SetBluetoothInfo(DeviceConnection* connection, const BluetoothInfo* info);

/* Reads the cellular data settings.
 * Guards: connection, verified password, then a null record. */
PETREL_API int Get4GInfo(DeviceConnection* connection, Mobile4GInfo* info);

/* Writes the cellular data settings.
 * Guards: connection, verified password, then a null record. */
PETREL_API int Set4GInfo(DeviceConnection* connection, const Mobile4GInfo* info);

/* ---- Encryption -------------------------------------------------------- */

/* Reads the recording encryption: mode (PETREL_CODES_DATA_ENCRYPTION), playback flag
 * and the 32-byte AES key (no terminator added). All three pointers are required. */
PETREL_API int GetEncryption(DeviceConnection* connection, uint8_t* dataEncryption,
                             uint8_t* decryptionPlayback, char* aesKey);

/* Writes the recording encryption: low 8 bits of mode and flag, and the key text up to
 * its first zero byte, at most 32 bytes. STATUS_OK once the camera confirmed it. */
PETREL_API int SetEncryption(DeviceConnection* connection, int dataEncryption,
                             int decryptionPlayback, const char* aesKey);

/* Fetches the camera's key text in chunks into out (>= PETREL_RSA_AES_KEY_SIZE bytes;
 * 96 bytes per chunk are written). STATUS_FAILED for a malformed or endless series. */
PETREL_API int GetRsaAesKey(DeviceConnection* connection, char* out);

/* ---- Storage and power ------------------------------------------------- */

/* Storage lock state into *state: 1 locked, 0 unlocked.
 * STATUS_FAILED unless the camera acknowledged the question. */
PETREL_API int GetLockMemoryState(DeviceConnection* connection, int32_t* state);

/* Locks (nonzero) or unlocks (0) the storage with a password (first 16 characters).
 * STATUS_OK once acknowledged; a disk connection then reopens its volume. */
PETREL_API int SetLockMemoryState(DeviceConnection* connection, int lock,
                                  const char* password);

/* Formats the camera's storage; everything recorded is lost.
 * STATUS_OK once the camera confirmed it. */
PETREL_API int FormatDisk(DeviceConnection* connection);

/* Switches the camera to mass-storage mode. On USB the connection loses its carrier
 * once the camera answers: close it and connect to the disk instead. */
PETREL_API int SetMSCMode(DeviceConnection* connection);

/* Powers the camera off.
 * STATUS_OK once the camera confirmed it. */
PETREL_API int SetCameraShutdown(DeviceConnection* connection);

/* Restarts the camera; the connection fails until the caller connects again.
 * STATUS_OK once the camera confirmed it. */
PETREL_API int CameraReboot(DeviceConnection* connection);

/* ---- Signals ----------------------------------------------------------- */

/* Sets an LED (PETREL_CODES_LED) to a state (PETREL_CODES_LED_STATE) with a blink
 * period in ms (100 ms steps, at least one). Other LEDs or states: STATUS_BAD_ARGUMENT. */
PETREL_API int SetLedState(DeviceConnection* connection, uint32_t led, uint32_t state,
                           int intervalMs);

/* Rings the buzzer `rings` times (clamped to 0..255; 0 silences it), each ring
 * ringMs long in 100 ms steps. Not confirmed by the camera. */
PETREL_API int SetBuzzer(DeviceConnection* connection, int rings, int ringMs);

/* ---- Not supported ----------------------------------------------------- */

/* Station list management is not available on this camera interface; the three
 * names are one function that returns STATUS_NOT_SUPPORTED at once (STATUS_BAD_ARGUMENT
 * for an unknown handle). */
PETREL_API int GetStaListInfo(DeviceConnection* connection, void* ignored);
PETREL_API int DeleteStaInfo(DeviceConnection* connection, void* ignored);
PETREL_API int DeleteStaInfoAll(DeviceConnection* connection, void* ignored);

/* ---- Extensions for front-ends ---------------------------------------- */

/* What a manager or a fleet tool needs to tell cameras apart and to handle a camera
 * disk's file systems, without walking the bus or the mount table itself. */

#define PETREL_VENDOR_ID 0x4255      /* the camera's USB vendor ID */
#define PETREL_PRODUCT_USB 0x0001    /* the camera on USB */

typedef struct PetrelEntryInfo {
    int32_t kind;          /* 0 USB camera, 1 camera disk */
    int32_t busNumber;     /* USB bus of the camera (a disk: of its USB ancestor); 0 unknown */
    int32_t deviceNumber;  /* USB device number on that bus; 0 unknown */
    int32_t driveLetter;   /* camera disk: its drive letter (character code); USB: 0 */
    char serial[64];       /* USB serial-number string, zero-terminated; "" when unknown */
    char node[64];         /* the node the library opens: /dev/bus/usb/BBB/DDD or /dev/sgN; "" unknown */
} PetrelEntryInfo;

/* Where a listed camera is, as found when the list was made (the serial is read from
 * the camera's USB string descriptor, or from sysfs for a disk; no password needed).
 * STATUS_OK; STATUS_BAD_ARGUMENT for a null, unknown or released entry or null info. */
PETREL_API int PetrelGetEntryInfo(const DeviceListEntry* entry, PetrelEntryInfo* info);

/* Mount point of a mounted file system of camera disk `letter` into out (size bytes,
 * zero-terminated). STATUS_OK when one is mounted; STATUS_FAILED when none is;
 * STATUS_BAD_ARGUMENT for a letter that is no camera disk, null out or too small size. */
PETREL_API int PetrelStorageMountPoint(int letter, char* out, int size);

/* Unmounts every file system of camera disk `letter`. STATUS_OK when none is left
 * mounted (also when none was); STATUS_FAILED when one stays mounted (busy, no right);
 * STATUS_BAD_ARGUMENT for a letter that is no camera disk. */
PETREL_API int PetrelUnmountStorage(int letter);

/* ======================================================================== */
/* ==== Standard-interface family (ZFY) =================================== */
/* ======================================================================== */

/* A second, connection-less family for management programs written against the
 * generic interface of law-enforcement body-worn recorders. The library keeps one
 * current connection (opened by Init_Device on the first camera found, closed by
 * Uninit_Device) and a password gate: the first password a gated member is given
 * is checked on the camera (as general user, then as administrator); once one is
 * accepted, its first ZFY_REMEMBERED_PASSWORD_LENGTH characters are remembered and
 * later calls are compared with them without contacting the camera.
 *
 * Every member returns ZFY_TRUE or ZFY_FALSE and writes a ZFY_RESULT_* code through
 * its last argument (skipped when that is null): ZFY_RESULT_NO_CONNECTION first, then
 * the member's own code. A failing wrapped export leaves the code last written. Outputs
 * are written only on success. Buffer sizes given below are what the members write;
 * they are not checked. One thread at a time, like every other export. */

typedef uint8_t ZfyBool;

enum { ZFY_FALSE = 0, ZFY_TRUE = 1 };

enum {
    ZFY_RESULT_SUCCESS = 1,
    ZFY_RESULT_NO_CONNECTION = 2,      /* no current connection, or a wrapped export failed */
    ZFY_RESULT_PASSWORD_DONE = 3,      /* password verified or changed */
    ZFY_RESULT_PASSWORD_REFUSED = 4,   /* the gate refused; a password check or change failed */
    ZFY_RESULT_TIME_SET = 5,
    ZFY_RESULT_TIME_FAILED = 6,
    ZFY_RESULT_MSDC_SET = 7,
    ZFY_RESULT_MSDC_FAILED = 8,
    ZFY_RESULT_DISK_FORMATTED = 9,
    ZFY_RESULT_VERSION_MISMATCH = 255  /* connected, but another interface version */
};

enum {
    ZFY_REMEMBERED_PASSWORD_LENGTH = 30,
    ZFY_ID_CODE_SIZE = 32,      /* GetIDCode */
    ZFY_SERIAL_ID_SIZE = 32,    /* GetSerialID */
    ZFY_VERSION_SIZE = 48,      /* ReadDeviceVersion */
    ZFY_DATE_TIME_SIZE = 20,    /* ReadDeviceDateTime: "YYYY/MM/DD hh:mm:ss" */
    ZFY_WATERMARK_SIZE = 48     /* GetCustomizeWaterMarkInfo */
};

/* Name of a result code ("ZFY_RESULT_NO_CONNECTION") for messages and logs of callers.
 * Returns "ZFY_RESULT_UNKNOWN" for any other value. */
PETREL_API const char* ZfyResultName(uint16_t result);

#pragma pack(push, 1)

/* Who carries the recorder. Each field has one terminator position at its end:
 * reading fills only the characters before it, writing takes only those. */
typedef struct ZfyInfo {
    char deviceId[8];    /* 7 characters */
    char userId[7];      /* 6 characters */
    char userName[33];   /* 32 characters */
    char unitNumber[13]; /* 12 characters */
    char unitName[33];   /* 32 characters */
} ZfyInfo;

/* The recorder's WiFi in one record; which fields travel depends on wifiMode. */
typedef struct ZfyWifiInfo {
    uint8_t wifiActivate; /* PETREL_CODES_ACTIVATE */
    uint8_t wifiMode;     /* PETREL_CODES_WIFI_MODE: 0 access point, 1 station, 2 peer-to-peer */
    char macAddress[32];
    char cameraIp[16];    /* dotted decimal text */
    uint8_t band;         /* access point only: PETREL_CODES_BAND */
    char ssid[48];        /* access point and station; UTF-8 */
    char password[32];    /* access point and station; peer-to-peer: the 8-digit code */
    uint8_t autoGetIp;    /* station only: PETREL_CODES_AUTO_GET_IP */
    char gateway[16];     /* dotted decimal text */
} ZfyWifiInfo;

#pragma pack(pop)

PETREL_STATIC_ASSERT(sizeof(ZfyInfo) == 94, "ZfyInfo is 94 bytes");
PETREL_STATIC_ASSERT(sizeof(ZfyWifiInfo) == 148, "ZfyWifiInfo is 148 bytes");

/* What WriteDeviceWifiInfo sends in access-point mode besides the record's fields. */
enum {
    ZFY_AP_CONNECTION_LIMIT = 5,
    ZFY_AP_CHANNEL_5G = 161,  /* band 1 */
    ZFY_AP_CHANNEL_24G = 11   /* any other band */
};

/* ReadDeviceResolution: PETREL_ZFY_RESOLUTIONS(R) expands R(videoResolution, width,
 * height) per known settings byte; any other byte reports the fallback below. */
#define PETREL_ZFY_RESOLUTIONS(R) \
    R(1, 2560, 1440) R(2, 2304, 1296) R(5, 1920, 1080) R(6, 1920, 1080) R(7, 1440, 1080) \
    R(10, 1280, 720) R(11, 1280, 720)
enum { ZFY_RESOLUTION_OTHER_WIDTH = 840, ZFY_RESOLUTION_OTHER_HEIGHT = 480 };

/* -- Lifecycle and passwords -- */

/* Connects the first USB camera, or else the first camera disk, as the current
 * connection (an older one is closed first, also when nothing is found). Resets the gate.
 * ZFY_TRUE with ZFY_RESULT_SUCCESS, or ZFY_RESULT_VERSION_MISMATCH with a usable connection. */
PETREL_API ZfyBool Init_Device(void* reserved, uint16_t* result);

/* Closes the current connection, if any, forgets the remembered password and resets
 * the gate. Always ZFY_TRUE with ZFY_RESULT_SUCCESS. */
PETREL_API ZfyBool Uninit_Device(void* reserved, uint16_t* result);

/* Has the camera check the password of level (0 general user, 1 administrator); on
 * acceptance the gate remembers it. ZFY_RESULT_PASSWORD_DONE, or ZFY_RESULT_PASSWORD_REFUSED. */
PETREL_API ZfyBool VerificationPassword(const char* password, int32_t level, uint16_t* result);

/* Changes the password of level (needs a password verified before); the gate follows a
 * change of its own level. ZFY_RESULT_PASSWORD_DONE, or ZFY_RESULT_PASSWORD_REFUSED. */
PETREL_API ZfyBool SetZFYPassWord(const char* newPassword, int32_t level, uint16_t* result);

/* -- Identity (GetIDCode, SetIDCode and GetSerialID run no gate) -- */

/* Model identifier into text (ZFY_ID_CODE_SIZE bytes). */
PETREL_API ZfyBool GetIDCode(char* text, uint16_t* result);

/* Writes the model identifier; needs a password verified on the connection before. */
PETREL_API ZfyBool SetIDCode(const char* text, uint16_t* result);

/* Bar code into text (ZFY_SERIAL_ID_SIZE bytes). */
PETREL_API ZfyBool GetSerialID(char* text, uint16_t* result);

/* Reads who carries the recorder; the terminator positions keep the caller's bytes. */
PETREL_API ZfyBool GetZFYInfo(ZfyInfo* info, const char* password, uint16_t* result);

/* Writes who carries the recorder: the characters before each terminator position. */
PETREL_API ZfyBool WriteZFYInfo(const ZfyInfo* info, const char* password, uint16_t* result);

/* Firmware version text into text (ZFY_VERSION_SIZE bytes). */
PETREL_API ZfyBool ReadDeviceVersion(char* text, const char* password, uint16_t* result);

/* Watermark text into text (ZFY_WATERMARK_SIZE bytes; a full one has no terminator). */
PETREL_API ZfyBool GetCustomizeWaterMarkInfo(char* text, const char* password,
                                             uint16_t* result);

/* Writes the watermark text (first 48 bytes). */
PETREL_API ZfyBool SetCustomizeWaterMarkInfo(const char* text, const char* password,
                                             uint16_t* result);

/* -- Status -- */

/* Total storage in bytes (the camera's MiB times 1 048 576). */
PETREL_API ZfyBool ReadDeviceCapacity(uint64_t* capacity, const char* password,
                                      uint16_t* result);

/* Remaining battery charge in percent. */
PETREL_API ZfyBool ReadDeviceBatteryDumpEnergy(int32_t* battery, const char* password,
                                               uint16_t* result);

/* Recording resolution from the settings block, by PETREL_ZFY_RESOLUTIONS. */
PETREL_API ZfyBool ReadDeviceResolution(int32_t* width, int32_t* height, const char* password,
                                        uint16_t* result);

/* The camera's clock as "YYYY/MM/DD hh:mm:ss" into text (ZFY_DATE_TIME_SIZE bytes). */
PETREL_API ZfyBool ReadDeviceDateTime(char* text, const char* password, uint16_t* result);

/* -- Network records -- */

/* The platform, Bluetooth and cellular records travel whole and unchanged. */
PETREL_API ZfyBool ReadDeviceNetWorkInfo(NetworkInfo* info, const char* password,
                                         uint16_t* result);
PETREL_API ZfyBool WriteDeviceNetWorkInfo(const NetworkInfo* info, const char* password,
                                          uint16_t* result);
PETREL_API ZfyBool ReadDeviceBluetoothInfo(BluetoothInfo* info, const char* password,
                                           uint16_t* result);
PETREL_API ZfyBool WriteDeviceBluetoothInfo(const BluetoothInfo* info, const char* password,
                                            uint16_t* result);
PETREL_API ZfyBool ReadDevice4GInfo(Mobile4GInfo* info, const char* password,
                                    uint16_t* result);
PETREL_API ZfyBool WriteDevice4GInfo(const Mobile4GInfo* info, const char* password,
                                     uint16_t* result);

/* Reads the WiFi switch and addresses, then the fields of the camera's mode; fields
 * the mode does not have keep the caller's bytes. Success once the first part is read. */
PETREL_API ZfyBool ReadDeviceWifiInfo(ZfyWifiInfo* info, const char* password,
                                      uint16_t* result);

/* Writes the WiFi switch and addresses (connect time-out 0), then the fields of
 * wifiMode. Success once the first part is written. */
PETREL_API ZfyBool WriteDeviceWifiInfo(const ZfyWifiInfo* info, const char* password,
                                       uint16_t* result);

/* -- Actions -- */

/* Sets the camera's clock to this computer's local time.
 * ZFY_RESULT_TIME_SET, or ZFY_RESULT_TIME_FAILED when the camera did not confirm it. */
PETREL_API ZfyBool SyncDevTime(const char* password, uint16_t* result);

/* Switches the camera to mass-storage mode; a USB current connection then has no carrier
 * until Uninit_Device and Init_Device. ZFY_RESULT_MSDC_SET, or ZFY_RESULT_MSDC_FAILED. */
PETREL_API ZfyBool SetMSDC(const char* password, uint16_t* result);

/* Formats the camera's storage. ZFY_RESULT_DISK_FORMATTED. */
PETREL_API ZfyBool FormatDeviceDisk(const char* password, uint16_t* result);

/* Restores the camera's default settings. */
PETREL_API ZfyBool SetDeviceDefaultSetting(const char* password, uint16_t* result);

/* Powers the camera off. */
PETREL_API ZfyBool SetDeviceShutdown(const char* password, uint16_t* result);

/* Restarts the camera; once it is back, connect again with Uninit_Device and Init_Device. */
PETREL_API ZfyBool SetDeviceReboot(const char* password, uint16_t* result);

#ifdef __cplusplus
}
#endif

#endif /* PETREL_H */
