// The dialog layer: captions, dialog units, 8-bit texts, controls by id and the
// message-box hook.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <cstring>

#include "caption.h"
#include "dialog_units.h"
#include "modal_dialog.h"
#include "tab_control.h"
#include "test_support.h"
#include "text8.h"

namespace {

using dialog::ControlKind;

constexpr int kLabel = 10;
constexpr int kEdit = 11;
constexpr int kList = 12;
constexpr int kTabs = 15;

constexpr dialog::ControlTemplate kControls[] = {
    {kLabel, ControlKind::RightLabel, "Wi&Fi&&BT", {4, 4, 80, 10}},
    {kEdit, ControlKind::PasswordEdit, "", {4, 18, 80, 13}},
    {kList, ControlKind::DropList, "", {4, 34, 80, 60}},
    {kTabs, ControlKind::Tabs, "", {90, 4, 100, 80}},
    {dialog::IDCANCEL, ControlKind::Button, "Cancel", {90, 86, 50, 12}},
};
constexpr dialog::DialogTemplate kTemplate{"Test", 200, 100, kControls};

class TestDialog : public dialog::Dialog {
    Q_OBJECT
public:
    TestDialog() : dialog::Dialog(kTemplate) {}
};

TEST(Captions, LabelsKeepTheirCaptionButShowItsVisibleText) {
    EXPECT_EQ(dialog::VisibleCaption("About Vireo(&A)..."), "About Vireo(A)...");
    EXPECT_EQ(dialog::VisibleCaption("trailing&"), "trailing");
    TestDialog window;
    EXPECT_EQ(window.GetItemText(kLabel), "Wi&Fi&&BT");
    EXPECT_EQ(static_cast<QLabel*>(window.Item(kLabel))->text(), "WiFi&BT");
    window.SetItemText(kLabel, "A&&B");
    EXPECT_EQ(window.GetItemText(kLabel), "A&&B");
    EXPECT_EQ(static_cast<QLabel*>(window.Item(kLabel))->text(), "A&B");
}

TEST(DialogUnits, WindowsGrowWithTheirFont) {
    QFont small = QApplication::font();
    small.setPointSize(8);
    QFont large = small;
    large.setPointSize(16);
    const QSize smallSize = dialog::ToPixels(392, 387, dialog::BaseUnitsOf(small));
    const QSize largeSize = dialog::ToPixels(392, 387, dialog::BaseUnitsOf(large));
    EXPECT_GT(largeSize.width(), smallSize.width() * 3 / 2);
    EXPECT_GT(largeSize.height(), smallSize.height() * 3 / 2);
}

TEST(Text8, CutsBeforeACharacterThatWouldNotFit) {
    EXPECT_EQ(dialog::ToText8("123456", 32), QByteArray("123456"));
    EXPECT_EQ(dialog::ToText8("123456", 4), QByteArray("123"));
    // Each 'é' takes two bytes; five bytes of room hold two of them, not two and a half.
    EXPECT_EQ(dialog::ToText8(QString::fromUtf8("ééé"), 6), QString::fromUtf8("éé").toUtf8());

    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    dialog::CopyText8(buffer, sizeof buffer, "abcdefghijk");
    EXPECT_STREQ(buffer, "abcdefg");
    dialog::CopyText8(buffer, sizeof buffer, "ab");
    EXPECT_EQ(std::string(buffer, sizeof buffer), std::string("ab\0\0\0\0\0\0", 8));
    EXPECT_EQ(dialog::FromText8("full", 4), "full");  // a full field has no terminator
}

TEST(Controls, ListsCarryValuesEditsAreCutAndWrongIdsOrKindsAreReported) {
    TestDialog window;
    window.AddListEntry(kList, "Off", 0);
    window.AddListEntry(kList, "On", 7);
    window.SelectListIndex(kList, 0);
    EXPECT_TRUE(window.SelectListValue(kList, 7));
    EXPECT_EQ(window.ListSelection(kList), 1);
    EXPECT_FALSE(window.SelectListValue(kList, 1));  // an unknown value keeps the selection
    EXPECT_EQ(window.SelectedListValue(kList), 7);
    window.ResetList(kList);
    EXPECT_EQ(window.SelectedListValue(kList), -1);

    window.LimitText(kEdit, 6);
    window.SetItemText(kEdit, "12345678");
    EXPECT_EQ(window.GetItemText(kEdit), "123456");
    EXPECT_EQ(static_cast<QLineEdit*>(window.Item(kEdit))->echoMode(), QLineEdit::Password);
    EXPECT_THROW(window.Item(999), std::out_of_range);
    EXPECT_THROW(window.LimitText(kList, 3), std::logic_error);
}

TEST(Controls, OnlyTheOperatorsTabChoiceIsReported) {
    TestDialog window;
    auto& tabs = *static_cast<dialog::TabControl*>(window.Item(kTabs));
    std::vector<int> reported;
    QObject::connect(&tabs, &dialog::TabControl::SelectionChanged,
                     [&](int index) { reported.push_back(index); });
    tabs.InsertTab("One");
    tabs.InsertTab("Two");
    tabs.SetCurSel(1);
    EXPECT_TRUE(reported.empty());
    tabs.findChild<QTabBar*>()->setCurrentIndex(0);  // what a click on the first tab does
    EXPECT_EQ(reported, std::vector<int>{0});
    EXPECT_TRUE(tabs.PageRect().top() > 0 && tabs.PageRect().width() > 0);
}

TEST(ModalDialogs, EndDialogEndsTheRunWithItsResultAndHidingDoesNot) {
    TestDialog window;
    ModalScript script;
    script.Then<TestDialog>([](TestDialog& shown) {
        shown.hide();
        QTimer::singleShot(20, &shown, [&shown] { shown.EndDialog(42); });
    });
    script.Start();
    EXPECT_EQ(window.DoModal(), 42);
    EXPECT_TRUE(script.Done());
}

TEST(ModalDialogs, TheCloseBoxCancelsAndEnterPressesTheFocusedButton) {
    TestDialog window;
    window.Open();
    window.close();
    EXPECT_EQ(window.Result(), dialog::IDCANCEL);
    TestDialog other;
    other.Open();
    QTest::keyClick(other.Item(dialog::IDCANCEL), Qt::Key_Return);
    EXPECT_EQ(other.Result(), dialog::IDCANCEL);
}

// What the cursor is while an action runs, while it asks the operator, and after.
class CursorDialog : public TestDialog {
    Q_OBJECT
public:
    std::vector<Qt::CursorShape> shapes;

protected:
    void OnCommand(int) override {
        shapes.push_back(CurrentShape());
        dialog::ShowMessageBox({this, "Sure?", "Prompt"});
        shapes.push_back(CurrentShape());
    }

public:
    static Qt::CursorShape CurrentShape() {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        return cursor ? cursor->shape() : Qt::BlankCursor;  // blank: none set
    }
};

TEST(ModalDialogs, TheCursorIsBusyDuringAnActionAndAnArrowWhileTheOperatorIsAsked) {
    CursorDialog window;
    window.Open();
    Qt::CursorShape asked = Qt::BlankCursor;
    const auto previous = dialog::SetMessageBoxHandler([&](const dialog::MessageRequest&) {
        asked = CursorDialog::CurrentShape();
        return dialog::MessageAnswer::Ok;
    });
    Press(window, dialog::IDCANCEL);
    dialog::SetMessageBoxHandler(previous);
    EXPECT_EQ(window.shapes, (std::vector{Qt::WaitCursor, Qt::WaitCursor}));
    EXPECT_EQ(asked, Qt::ArrowCursor);
    EXPECT_EQ(CursorDialog::CurrentShape(), Qt::BlankCursor);
}

}  // namespace

#include "test_dialog_layer.moc"
