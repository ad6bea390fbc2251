#include "exchange/ui/export_motor_dlg.h"

#include <QApplication>
#include <QComboBox>
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

void FillGood(CExportMotorDlg& dlg) {
    dlg.m_pDesignation->setText(QStringLiteral("C6"));
    dlg.m_pDiameter->setText(QStringLiteral("18"));
    dlg.m_pLength->setText(QStringLiteral("70"));
    dlg.m_pDelays->setText(QStringLiteral("3-5-7"));
    dlg.m_pPreFire->setText(QStringLiteral("0.0231"));
    dlg.m_pPostFire->setText(QStringLiteral("0.0123"));
    dlg.m_pManufacturer->setText(QStringLiteral("Es"));
    dlg.m_pPoints->setText(QStringLiteral(" 20 "));
}

TEST_F(ExportMotorDlgTest, StartsFromTheGivenValuesAndCopiesTheFieldsBackOnOk) {
    CExportMotorDlg& dlg = *owned;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Export motor file"));
    EngExportParams start;
    start.designation = "C5";
    start.diameter = "24.6";
    dlg.SetParams(start);
    EXPECT_EQ(dlg.m_pDesignation->text(), QStringLiteral("C5"));
    EXPECT_EQ(dlg.m_pDiameter->text(), QStringLiteral("24.6"));
    EXPECT_EQ(dlg.m_pPoints->text(), QStringLiteral("0"));
    EXPECT_EQ(dlg.m_pThrust->currentText(), QStringLiteral("Motor thrust"));
    // Typing the pre-fire weight fills in the post-fire weight that leaves the flight's
    // propellant, until the post-fire weight is typed by hand.
    dlg.m_fPropellantKg = 0.0108f;
    emit dlg.m_pPreFire->textEdited(QStringLiteral("0.0231"));
    EXPECT_EQ(dlg.m_pPostFire->text(), QStringLiteral("0.0123"));
    emit dlg.m_pPostFire->textEdited(QStringLiteral("0.012"));
    dlg.m_pPostFire->setText(QStringLiteral("0.012"));
    emit dlg.m_pPreFire->textEdited(QStringLiteral("0.03"));
    EXPECT_EQ(dlg.m_pPostFire->text(), QStringLiteral("0.012"));

    FillGood(dlg);
    dlg.m_pThrust->setCurrentIndex(1);
    dlg.accept();
    EXPECT_TRUE(user.messages.empty());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    const EngExportParams& p = dlg.Params();
    EXPECT_EQ(p.designation, "C6");
    EXPECT_EQ(p.length, "70");
    EXPECT_EQ(p.postFireWeight, "0.0123");
    EXPECT_EQ(p.manufacturer, "Es");
    EXPECT_EQ(p.points, 20);
    EXPECT_EQ(p.thrust, ThrustKind::Net);
}

TEST_F(ExportMotorDlgTest, RefusesHeaderFieldsReadersWouldRefuse) {
    CExportMotorDlg& dlg = *owned;
    struct Case {
        QLineEdit* CExportMotorDlg::*edit;
        const char* utf8;
        const char* message; // its start
    } cases[] = {
        {&CExportMotorDlg::m_pDesignation, "", "Designation is empty"},
        {&CExportMotorDlg::m_pDesignation, "C6 5", "Designation \"C6 5\" contains a blank"},
        {&CExportMotorDlg::m_pManufacturer, "\xC3\x84s", "Manufacturer may hold only plain"},
        {&CExportMotorDlg::m_pDiameter, "18mm", "Diameter must be a number of mm"},
        {&CExportMotorDlg::m_pLength, "", "Length is empty"},
        {&CExportMotorDlg::m_pPostFire, "0.05", "Post-fire weight must be less"},
    };
    for (const Case& c : cases) {
        FillGood(dlg);
        user.messages.clear();
        (dlg.*c.edit)->setText(QString::fromUtf8(c.utf8));
        dlg.accept();
        ASSERT_EQ(user.messages.size(), 1u) << c.utf8;
        EXPECT_EQ(user.messages[0].text.rfind(c.message, 0), 0u) << user.messages[0].text;
        EXPECT_TRUE(dlg.isVisible()) << c.utf8;
    }
}

TEST_F(ExportMotorDlgTest, RefusesPointsThatAreNotAWholeNumberOrBelowTwo) {
    CExportMotorDlg& dlg = *owned;
    FillGood(dlg);
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {{"abc", "Please enter an integer."},
                 {"2.5", "Please enter an integer."},
                 {"", "Please enter an integer."},
                 {"99999999999", "Please enter an integer."},
                 {"0", "The number of points must not be 0."},
                 {"1", kFewPointsText},
                 {"-4", kFewPointsText}};
    for (const Case& c : cases) {
        user.messages.clear();
        dlg.m_pPoints->setText(QString::fromLatin1(c.text));
        dlg.accept();
        ASSERT_EQ(user.messages.size(), 1u) << c.text;
        EXPECT_EQ(user.messages[0].text, c.message) << c.text;
        EXPECT_TRUE(dlg.isVisible()) << c.text;
    }
    dlg.m_pPoints->setText(QStringLiteral("2"));
    dlg.m_pSpacing->setCurrentIndex(1);
    dlg.accept();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.Params().points, 2);
    EXPECT_EQ(dlg.Params().spacing, EngSpacing::Even);
}

} // namespace
} // namespace tavo
