// Window templates: what a window holds, where (in dialog units) and with which
// initial text, written as tables next to the class that uses them.
#pragma once

#include <span>

namespace dialog {

inline constexpr int kNoId = -1;  // a control nobody addresses (plain labels)
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

enum class ControlKind {
    Label,       // static text
    RightLabel,  // static text, right-aligned
    Button,
    DefaultButton,  // pressed by Enter
    Edit,
    PasswordEdit,  // characters shown masked
    DropList,      // drop-down list; every entry carries a value
    CheckBox,
    IpAddress,
    GroupBox,
    Picture,
    Tabs,
};

// Dialog units: a quarter of the font's average character width horizontally,
// an eighth of its height vertically.
struct Place {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct ControlTemplate {
    int id = kNoId;
    ControlKind kind = ControlKind::Label;
    const char* text = "";
    Place place;
    bool visible = true;
};

struct DialogTemplate {
    const char* caption = "";
    int width = 0;   // dialog units
    int height = 0;  // dialog units
    std::span<const ControlTemplate> controls;
};

}  // namespace dialog
