#include "about_dlg.h"

#include <QLabel>

#include "art.h"
#include "vireo_app.h"

namespace {

using dialog::ControlKind;

constexpr dialog::ControlTemplate kControls[] = {
    {CAboutDlg::kIcon, ControlKind::Picture, "", {10, 10, 22, 22}},
    {CAboutDlg::kText, ControlKind::Label, "", {42, 14, 120, 10}},
    {dialog::IDOK, ControlKind::DefaultButton, "OK", {112, 40, 50, 14}},
};

constexpr dialog::DialogTemplate kTemplate{"About Vireo", 170, 62, kControls};

}  // namespace

CAboutDlg::CAboutDlg(CVireoApp& app, QWidget* parent)
    : dialog::Dialog(kTemplate, parent), m_app(app) {}

void CAboutDlg::OnInitDialog() {
    setWindowIcon(VireoIcon());
    auto* icon = static_cast<QLabel*>(Item(kIcon));
    icon->setPixmap(VireoIcon().pixmap(icon->size()));
    // The version shown is the program's own, without the leading 'V' of the titles.
    const dialog::TextLookup texts = m_app.Texts();
    setWindowTitle(dialog::Translated(texts, kTemplate.caption));
    SetItemText(
        kText,
        dialog::Translated(texts, "Vireo\uFF0C%1 Version").arg(m_app.GetVersionText().mid(1)));
}
