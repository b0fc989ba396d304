#include "param_dlg.h"

#include "record_fields.h"

namespace {

using dialog::ControlKind;
using form::Access;

constexpr const char* kSection = "ParamDlg";
constexpr int kBlock = 0;

#define SETTING(field) CParamDlg::SettingId(offsetof(SysParam, field))

// clang-format off
const form::Row kRows[] = {
    {.kind = ControlKind::GroupBox, .columns = 2},
    {.id = SETTING(videoResolution), .kind = ControlKind::DropList, .key = "StResolution", .text = "Resolution:", .field = "videoResolution"},
    {.id = SETTING(videoQuality), .kind = ControlKind::DropList, .key = "StQuality", .text = "Quality:", .field = "videoQuality", .lookUpOptions = true},
    {.id = SETTING(streamResolution), .kind = ControlKind::DropList, .key = "Streaming Resolution", .text = "Streaming Resolution:", .field = "streamResolution"},
    {.id = SETTING(streamBitrate), .kind = ControlKind::DropList, .key = "Streaming Bitrate", .text = "Streaming Bitrate:", .field = "streamBitrate"},
    {.id = SETTING(streamControl), .kind = ControlKind::DropList, .key = "Streaming Control", .text = "Streaming Control:", .field = "streamControl", .lookUpOptions = true},
    {.id = SETTING(videoSplit), .kind = ControlKind::DropList, .key = "Video Spliter", .text = "Video Splitter:", .field = "videoSplit"},
    {.id = SETTING(recordNotification), .kind = ControlKind::DropList, .key = "Recording Prompt", .text = "Recording Notification:", .field = "recordNotification"},
    {.id = SETTING(webServer), .kind = ControlKind::DropList, .key = "Web Server", .text = "Web Server:", .field = "webServer"},
    {.id = SETTING(postRecord), .kind = ControlKind::DropList, .key = "Post Record", .text = "Post Record:", .field = "postRecord"},
    {.id = SETTING(preRecord), .kind = ControlKind::DropList, .key = "Pre Record", .text = "Pre Record:", .field = "preRecord"},
    {.id = SETTING(pictureSize), .kind = ControlKind::DropList, .key = "Picture Size", .text = "Picture Size:", .field = "pictureSize"},
    {.id = SETTING(pictureQuality), .kind = ControlKind::DropList, .key = "Photo Quality", .text = "Picture Quality:", .field = "pictureQuality", .lookUpOptions = true},
    {.id = SETTING(burstMode), .kind = ControlKind::DropList, .key = "Burst Mode", .text = "Burst Mode:", .field = "burstMode"},
    {.id = SETTING(speakerVolume), .kind = ControlKind::DropList, .key = "Sound Volume", .text = "Speaker Volume:", .field = "speakerVolume", .initialCode = 5},
    {.id = SETTING(timeZone), .kind = ControlKind::DropList, .key = "Time Zone", .text = "Time Zone:", .field = "timeZone", .initialCode = 12},
    {.id = SETTING(tvOut), .kind = ControlKind::DropList, .key = "Tv Out", .text = "TV Out:", .field = "tvOut"},
    {.id = SETTING(dateFormat), .kind = ControlKind::DropList, .key = "Data Format", .text = "Date Format:", .field = "dateFormat"},
    {.id = SETTING(refreshRate), .kind = ControlKind::DropList, .key = "Refresh Rate", .text = "Refresh Rate:", .field = "refreshRate"},
    {.id = SETTING(muteRecording), .kind = ControlKind::DropList, .key = "Mute Recording", .text = "Mute Recording:", .field = "muteRecording", .lookUpOptions = true},
    {.id = SETTING(autoPowerOff), .kind = ControlKind::DropList, .key = "Auto Power Off", .text = "Auto Power Off:", .field = "autoPowerOff"},
    {.id = SETTING(autoIr), .kind = ControlKind::DropList, .key = "Automatic IR", .text = "Auto IR:", .field = "autoIr", .lookUpOptions = true},
    {.id = SETTING(encodingFormat), .kind = ControlKind::DropList, .key = "Encoding Foramt", .text = "Encoding Format:", .field = "encodingFormat"},
    {.kind = ControlKind::GroupBox, .columns = 4},
    {.id = SETTING(ledLight), .kind = ControlKind::CheckBox, .key = "LED Indicator", .text = "Led Light:", .field = "ledLight"},
    {.id = SETTING(powerOnRecord), .kind = ControlKind::CheckBox, .key = "Power on Auto-Record", .text = "Power-on Record:", .field = "powerOnRecord"},
    {.id = SETTING(vibration), .kind = ControlKind::CheckBox, .key = "Vibration Prompt", .text = "Vibration:", .field = "vibration"},
    {.id = SETTING(carMode), .kind = ControlKind::CheckBox, .key = "Dash Camera Mode", .text = "Car Mode:", .field = "carMode"},
    {.id = SETTING(loopRecording), .kind = ControlKind::CheckBox, .key = "Loop Recording", .text = "Loop Record:", .field = "loopRecording"},
    {.id = SETTING(gps), .kind = ControlKind::CheckBox, .key = "GPS", .text = "GPS:", .field = "gps"},
    {.id = SETTING(stealthMode), .kind = ControlKind::CheckBox, .key = "Stealth Mode", .text = "Stealth Mode:", .field = "stealthMode"},
    // Never shown, but read and written back with the rest of the block.
    {.id = SETTING(autoTimeSync), .kind = ControlKind::CheckBox, .key = "Automatic Time Sync", .text = "Auto Update Time:", .field = "autoTimeSync", .hidden = true},
    {.id = SETTING(streamFrameRate), .kind = ControlKind::DropList, .key = "Streaming Frame Rate", .text = "Streaming Frame Rate:", .field = "streamFrameRate", .hidden = true},
    {.id = SETTING(lcdAutoOff), .kind = ControlKind::DropList, .key = "Screen Save", .text = "LCD Auto Off:", .field = "lcdAutoOff", .hidden = true},
    {.id = SETTING(selfieTimer), .kind = ControlKind::DropList, .key = "Sefie Mode", .text = "Selfie Mode:", .field = "selfieTimer", .hidden = true},
    {.id = SETTING(videoEis), .kind = ControlKind::DropList, .key = "Video EIS", .text = "Video EIS:", .field = "videoEis", .hidden = true},
    {.id = SETTING(timelapse), .kind = ControlKind::DropList, .key = "Interval Photograph", .text = "Timelapse:", .field = "timelapse", .hidden = true},
    {.id = SETTING(lowSpaceWarning), .kind = ControlKind::CheckBox, .key = "Memory Warning", .text = "Low Space Warning:", .field = "lowSpaceWarning", .hidden = true},
    {.id = SETTING(motionDetection), .kind = ControlKind::CheckBox, .key = "Motion Detection", .text = "Motion Detection:", .field = "motionDetection", .hidden = true},
    {.id = SETTING(keyTone), .kind = ControlKind::CheckBox, .key = "Key Tone", .text = "Key Tone:", .field = "keyTone", .hidden = true},
    {.id = SETTING(lowBatteryWarning), .kind = ControlKind::CheckBox, .key = "Electric Warning", .text = "Low Battery Warning:", .field = "lowBatteryWarning", .hidden = true},
    {.id = SETTING(clockPrompt), .kind = ControlKind::CheckBox, .key = "Clock Prompt", .text = "Clock Prompt:", .field = "clockPrompt", .hidden = true},
    {.id = SETTING(enhancedStandby), .kind = ControlKind::CheckBox, .key = "Super Long Standby", .text = "Enhanced Standby:", .field = "enhancedStandby", .hidden = true},
    {.id = SETTING(fileTagging), .kind = ControlKind::DropList, .key = "File Tagging", .text = "File Tagging:", .field = "fileTagging", .lookUpOptions = true, .hidden = true},
    {.id = SETTING(doubleClickRecord), .kind = ControlKind::DropList, .key = "Double Click Record", .text = "Double-click Record:", .field = "doubleClickRecord", .hidden = true},
    {.id = SETTING(audioPrompt), .kind = ControlKind::DropList, .key = "Audio Prompt", .text = "Audio Prompt:", .field = "audioPrompt", .hidden = true},
    {.id = SETTING(irSensitivity), .kind = ControlKind::DropList, .key = "IR Sensitivity", .text = "IR Sensitivity:", .field = "irSensitivity", .lookUpOptions = true, .hidden = true},
    {.id = SETTING(watermarkLogo), .kind = ControlKind::DropList, .key = "Watermark Logo", .text = "Watermark Logo:", .field = "watermarkLogo", .hidden = true},
    {.id = SETTING(playbackMode), .kind = ControlKind::DropList, .key = "Playback Mode", .text = "Playback Mode:", .field = "playbackMode", .hidden = true},
    {.id = SETTING(displayBrightness), .kind = ControlKind::DropList, .key = "DIsplay Brightne", .text = "Display Brightness:", .field = "displayBrightness", .initialCode = 5, .hidden = true},
    {.id = SETTING(language), .kind = ControlKind::DropList, .key = "Language", .text = "Language:", .field = "language", .hidden = true},
    {.id = SETTING(chargeState), .kind = ControlKind::DropList, .key = "Charge State", .text = "Charge State:", .field = "chargeState", .hidden = true},
    {.id = SETTING(autoBrightness), .kind = ControlKind::CheckBox, .key = "Auto Brightness Adjustment", .text = "Auto Brightness Adjustment:", .field = "autoBrightness", .hidden = true},
    {.id = CParamDlg::kRefresh, .kind = ControlKind::Button, .text = "Refresh", .access = Access::kAnyone},
    {.id = CParamDlg::kApply, .kind = ControlKind::Button, .text = "Apply"},
};
// clang-format on

constexpr MessageText kApplied{"Msg1", "Set Successfully."};

}  // namespace

CParamDlg::CParamDlg(Camera& camera, dialog::TextLookup texts)
    : TabPage(camera, std::move(texts), kSection, kRows,
              {{&fields::SettingsFields(), "RecordSettings", "Camera Settings"}}) {}

void CParamDlg::OnShowPage() { Refresh(); }

void CParamDlg::OnCommand(int id) {
    if (id == kRefresh)
        Refresh();
    else if (id == kApply)
        Apply();
}

void CParamDlg::Refresh() {
    SysParam block{};
    m_form.Read(kBlock, PETREL_CALL(m_camera, GetSysParam, &block), block);
}

void CParamDlg::Apply() {
    SysParam block{};
    QString problem;
    if (!m_form.Collect(kBlock, block, problem)) {
        PromptProblem(problem);
        return;
    }
    if (const int status = PETREL_CALL(m_camera, SetSysParam, &block); status != STATUS_OK) {
        PromptFailed(status);
        return;
    }
    m_form.Written(kBlock, block);
    Prompt(kApplied);
}
