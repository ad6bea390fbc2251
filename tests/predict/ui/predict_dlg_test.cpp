// The Predict window's "Draw on Graph": the chosen motor's predicted curves handed over
// at the flight's own rate, from ignition to the apogee.

#include "predict/ui/predict_dlg.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTableWidget>

#include "doc/tavokit_doc.h"
#include "predict/predict_flight.h"
#include "support/qt_app.h"
#include "support/scripted_prompt.h"

namespace tavo {
namespace {

TEST(PredictDlg, DrawOnGraphHandsOverTheChosenMotorsCurves) {
    test::App();
    CTAVOkitDoc doc;
    ApplyFirstRunSettings(doc.Settings());
    FileError error;
    ASSERT_TRUE(doc.OnOpenDocument(TAVOKIT_SOURCE_DIR "/data/demo.flt", error));
    doc.Recompute();
    const CursorRange burn{doc.Curves().m_nEvent1, doc.Curves().m_nEvent2};
    test::ScriptedPrompt user;
    CPredictDlg dialog(ReadPredictFlight(doc.Data(), burn, 0.0), BundledMotorFiles(), nullptr,
                       &user);
    std::vector<std::pair<Prediction, double>> drawn;
    dialog.drawOnGraph = [&](const Prediction& p, double interval, const std::string&) {
        drawn.emplace_back(p, interval);
    };
    dialog.show();
    ASSERT_TRUE(dialog.drawButton->isVisible());
    EXPECT_FALSE(dialog.drawButton->isEnabled()) << "nothing chosen yet";
    dialog.table->selectRow(0);
    ASSERT_TRUE(dialog.drawButton->isEnabled());
    dialog.drawButton->click();
    ASSERT_EQ(drawn.size(), 1u);
    const auto& [p, interval] = drawn[0];
    EXPECT_DOUBLE_EQ(interval, static_cast<double>(doc.Curves().m_fSampleInterval));
    ASSERT_TRUE(p.flies) << p.reason;
    ASSERT_GE(p.altitude.size(), 2u);
    EXPECT_NEAR(p.time.back(), p.apogeeTime, interval);
    EXPECT_NEAR(p.altitude.back(), p.apogee, 1.0);
}

} // namespace
} // namespace tavo
