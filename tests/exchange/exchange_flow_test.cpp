#include "exchange/exchange_flow.h"

#include <deque>
#include <gtest/gtest.h>

#include "exchange_test_util.h"

namespace tavo {
namespace {

using namespace testing;

// Plays the user from a script and notes everything the flow shows or asks.
class ScriptedUi : public ExchangeUi {
public:
    std::vector<std::string> log;
    std::deque<bool> okAnswers;
    std::deque<std::string> files; // empty text: the user cancels
    std::deque<EngExportParams> motorDialogs;
    bool cancelMotorDialog = false;
    int busy = 0;

    void ShowMessage(const std::string& text, const std::string& caption) override {
        log.push_back("message " + caption + ": " + text);
    }
    bool AskOkCancel(const std::string& text, const std::string& caption) override {
        log.push_back("question " + caption + ": " + text);
        bool ok = okAnswers.empty() || okAnswers.front();
        if (!okAnswers.empty())
            okAnswers.pop_front();
        return ok;
    }
    bool AskSaveFileName(const FileDialogSpec& spec, std::string& path) override {
        return File("save", spec, path);
    }
    bool AskOpenFileName(const FileDialogSpec& spec, std::string& path) override {
        return File("open", spec, path);
    }
    bool EditMotorParams(EngExportParams& params) override {
        log.push_back("motor dialog " + std::to_string(params.points));
        if (cancelMotorDialog || motorDialogs.empty())
            return false;
        params = motorDialogs.front();
        motorDialogs.pop_front();
        return true;
    }
    void SetBusy(bool on) override { busy += on ? 1 : -1; }

private:
    bool File(const char* kind, const FileDialogSpec& spec, std::string& path) {
        log.push_back(std::string(kind) + " " + spec.title + " | " + spec.filterText + " | " +
                      spec.pattern + " | " + spec.defaultExtension);
        if (files.empty() || files.front().empty()) {
            if (!files.empty())
                files.pop_front();
            return false;
        }
        path = files.front();
        files.pop_front();
        return true;
    }
};

using Log = std::vector<std::string>;

TEST(ExchangeFlow, CsvExportAsksForAFileAndReportsFailures) {
    UseUtc();
    const std::string dir = FreshDir("flow_csv");
    FlightRecord empty;
    ScriptedUi ui;
    EXPECT_FALSE(RunCsvExport(ui, empty));
    EXPECT_EQ(ui.log, Log{"message Error: Nothing to Export"});

    FlightRecord f;
    BurnFlight(f);
    ui = ScriptedUi();
    ui.files = {"", dir + "/missing/x.csv", dir + "/x.csv"};
    EXPECT_FALSE(RunCsvExport(ui, f)); // cancelled
    EXPECT_FALSE(RunCsvExport(ui, f)); // cannot be written
    EXPECT_TRUE(RunCsvExport(ui, f));
    const std::string dialog = "save Save File As CSV | CSV file (*.CSV) | *.csv | csv";
    ASSERT_EQ(ui.log.size(), 4u);
    EXPECT_EQ(ui.log[0], dialog);
    EXPECT_EQ(ui.log[1], dialog);
    EXPECT_EQ(ui.log[2].rfind("message Error: Could not write x.csv:\n", 0), 0u) << ui.log[2];
    EXPECT_EQ(ui.log[3], dialog);
    EXPECT_EQ(ui.busy, 0);
    EXPECT_FALSE(std::filesystem::exists(dir + "/missing"));
    EXPECT_EQ(ReadFileBytes(dir + "/x.csv"), Golden("csv_burn.csv"));
}

TEST(ExchangeFlow, EngExportChecksInOrderBeforeAskingAnything) {
    FlightRecord f;
    BurnFlight(f);
    f.m_nCursor1 = 100;
    f.m_nCursor2 = 160;
    const std::string question = std::string("question Notice: ") + kCursorQuestionText;
    struct Case {
        const char* what;
        void (*change)(FlightRecord&);
        Log log;
    } cases[] = {
        {"no weight",
         [](FlightRecord& r) { r.m_fLaunchWeight = 0.0f; },
         {std::string("message Notice: ") + kNeedWeightText}},
        {"no propellant",
         [](FlightRecord& r) { r.m_fPropellantWeight = 0.0f; },
         {std::string("message Notice: ") + kNeedPropellantText}},
        {"C2 past the end",
         [](FlightRecord& r) { r.m_nCursor2 = 251; },
         {question, "message Error: Nothing to Export"}},
        {"C1 negative",
         [](FlightRecord& r) { r.m_nCursor1 = -5; },
         {question, "message Error: Nothing to Export"}},
        {"C2 at the end",
         [](FlightRecord& r) { r.m_nCursor2 = 250; },
         {question, "motor dialog 0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FlightRecord g;
        BurnFlight(g);
        g.m_nCursor1 = 100;
        g.m_nCursor2 = 160;
        c.change(g);
        ScriptedUi ui;
        ui.cancelMotorDialog = true;
        EXPECT_FALSE(RunEngExport(ui, g));
        EXPECT_EQ(ui.log, c.log);
    }
    ScriptedUi ui;
    ui.okAnswers = {false};
    EXPECT_FALSE(RunEngExport(ui, f));
    EXPECT_EQ(ui.log, Log{question});
}

TEST(ExchangeFlow, EngExportKeepsTheDialogUpForZeroPointsThenWrites) {
    UseUtc();
    const std::string dir = FreshDir("flow_eng");
    FlightRecord f;
    BurnFlight(f);
    f.m_nCursor1 = 100;
    f.m_nCursor2 = 160;
    EngExportParams zero{"C6", "18", "70", "5", "0.0231", "0.0123", "Es", 0};
    EngExportParams good = zero;
    good.points = 20;
    ScriptedUi ui;
    ui.motorDialogs = {zero, good};
    ui.files = {dir + "/c6.eng"};
    EXPECT_TRUE(RunEngExport(ui, f));
    const std::string question = std::string("question Notice: ") + kCursorQuestionText;
    EXPECT_EQ(ui.log,
              (Log{question, "motor dialog 0", std::string("message Notice: ") + kZeroPointsText,
                   "motor dialog 0", "save Save File As ENG | ENG file (*.ENG) | *.eng | eng"}));
    EXPECT_EQ(ReadFileBytes(dir + "/c6.eng"), Golden("eng_c100_c160_p20.eng"));
    EXPECT_EQ(ui.busy, 0);

    // Cancel at the file dialog writes nothing.
    ScriptedUi cancel;
    cancel.motorDialogs = {good};
    cancel.files = {""};
    EXPECT_FALSE(RunEngExport(cancel, f));
    EXPECT_EQ(cancel.log.back(), "save Save File As ENG | ENG file (*.ENG) | *.eng | eng");
}

TEST(ExchangeFlow, RdasImportReportsWhatItCannotUse) {
    ScriptedUi ui;
    ui.files = {"", GoldenPath("rdas_marker_before_rate.txt"), GoldenPath("nothing.txt"),
                GoldenPath("rdas_three_columns.txt")};
    RdasTable table{3, {"kept"}};
    EXPECT_FALSE(RunRdasImport(ui, table));
    EXPECT_FALSE(RunRdasImport(ui, table));
    EXPECT_FALSE(RunRdasImport(ui, table));
    EXPECT_EQ(table.values, std::vector<std::string>{"kept"});
    EXPECT_TRUE(RunRdasImport(ui, table));
    EXPECT_EQ(table.values, (std::vector<std::string>{"505", "498", "430"}));
    const std::string dialog = "open Import File | RDAS file (*.TXT) | *.txt | txt";
    ASSERT_EQ(ui.log.size(), 6u);
    EXPECT_EQ(ui.log[0], dialog);
    EXPECT_EQ(ui.log[2].rfind("message Error: Could not import rdas_marker_before_rate.txt:\n", 0),
              0u);
    EXPECT_EQ(ui.log[4].rfind("message Error: Could not import nothing.txt:\n", 0), 0u);
    EXPECT_EQ(ui.busy, 0);
}

} // namespace
} // namespace tavo
