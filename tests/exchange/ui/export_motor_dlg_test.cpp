#include "exchange/ui/export_motor_dlg.h"

#include <QApplication>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <memory>

#include "support/qt_app.h"
#include "support/scripted_prompt.h"

namespace tavo {
namespace {

using test::App;

class ExportMotorDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        owned = std::make_unique<CExportMotorDlg>();
        owned->prompt = &user;
        owned->show();
    }
    // Made once the application exists.
    std::unique_ptr<CExportMotorDlg> owned;
    test::ScriptedPrompt user;
};

TEST_F(ExportMotorDlgTest, StartsEmptyAndCopiesTheFieldsBackOnOk) {
    CExportMotorDlg& dlg = *owned;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Export motor file"));
    EXPECT_TRUE(dlg.m_pDesignation->text().isEmpty());
    EXPECT_EQ(dlg.m_pPoints->text(), QStringLiteral("0"));
    dlg.m_pDesignation->setText(QStringLiteral("C6"));
    dlg.m_pDiameter->setText(QStringLiteral("18"));
    dlg.m_pManufacturer->setText(QString::fromUtf8("\xC3\x84s")); // "Äs"
    dlg.m_pPreFire->setText(QStringLiteral("0.0231"));
    dlg.m_pPoints->setText(QStringLiteral(" 20 "));
    dlg.accept();
    EXPECT_TRUE(user.messages.empty());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    const EngExportParams& p = dlg.Params();
    EXPECT_EQ(p.designation, "C6");
    EXPECT_EQ(p.diameter, "18");
    EXPECT_EQ(p.length, "");
    EXPECT_EQ(p.preFireWeight, "0.0231");
    EXPECT_EQ(p.manufacturer, "\xC4s"); // Windows-1252, as flight texts are
    EXPECT_EQ(p.points, 20);
}

TEST_F(ExportMotorDlgTest, RefusesPointsThatAreNotAWholeNumberOrZero) {
    CExportMotorDlg& dlg = *owned;
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {{"abc", "Please enter an integer."},
                 {"2.5", "Please enter an integer."},
                 {"", "Please enter an integer."},
                 {"99999999999", "Please enter an integer."},
                 {"0", "The number of points must not be 0."}};
    for (const Case& c : cases) {
        user.messages.clear();
        dlg.m_pPoints->setText(QString::fromLatin1(c.text));
        dlg.accept();
        ASSERT_EQ(user.messages.size(), 1u) << c.text;
        EXPECT_EQ(user.messages[0].text, c.message) << c.text;
        EXPECT_TRUE(dlg.isVisible()) << c.text;
    }
    dlg.m_pPoints->setText(QStringLiteral("-4"));
    dlg.accept();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.Params().points, -4);
}

} // namespace
} // namespace tavo
