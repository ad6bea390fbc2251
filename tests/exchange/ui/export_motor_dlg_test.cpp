#include "exchange/ui/export_motor_dlg.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "exchange/ui/qt_exchange_ui.h"

namespace tavo {
namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "exchange_ui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

class ExportMotorDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        owned = std::make_unique<CExportMotorDlg>();
        owned->m_showMessage = [this](const QString& text, const QString& caption) {
            messages.push_back(caption + QStringLiteral(": ") + text);
        };
        owned->show();
    }
    // Made once the application exists.
    std::unique_ptr<CExportMotorDlg> owned;
    QStringList messages;
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
    EXPECT_TRUE(messages.isEmpty());
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
        messages.clear();
        dlg.m_pPoints->setText(QString::fromLatin1(c.text));
        dlg.accept();
        ASSERT_EQ(messages.size(), 1) << c.text;
        EXPECT_TRUE(messages[0].endsWith(QString::fromLatin1(c.message))) << c.text;
        EXPECT_TRUE(dlg.isVisible()) << c.text;
    }
    dlg.m_pPoints->setText(QStringLiteral("-4"));
    dlg.accept();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.Params().points, -4);
}

TEST(ExchangeStartFolder, IsRocketsWhenItExistsElseTheCurrentDirectory) {
    App();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString old = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const QString without = ExchangeStartFolder();
    QDir(dir.path()).mkdir(QStringLiteral("Rockets"));
    const QString with = ExchangeStartFolder();
    QDir::setCurrent(old);
    EXPECT_EQ(QDir(without).canonicalPath(), QDir(dir.path()).canonicalPath());
    EXPECT_EQ(QDir(with).canonicalPath(),
              QDir(dir.path() + QStringLiteral("/Rockets")).canonicalPath());
}

} // namespace
} // namespace tavo
