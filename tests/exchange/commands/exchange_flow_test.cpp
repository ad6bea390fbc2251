#include "exchange/commands/exchange_flow.h"

#include <deque>
#include <gtest/gtest.h>

#include "exchange/exchange_test_util.h"
#include "support/flight_builder.h"
#include "support/scripted_prompt.h"
#include "support/test_files.h"

namespace tavo {
namespace {

using namespace testing;
using test::FreshDir;
using test::ReadFileBytes;
using test::UseUtc;

// Plays the user from a script and notes everything the flow shows or asks, one line
// each: "message CAPTION: TEXT", "question CAPTION: TEXT", "save|open TITLE | FILTER |
// EXTENSION", "motor dialog POINTS".
class ScriptedUi : public test::ScriptedPrompt {
public:
    std::vector<std::string> log;
    std::deque<EngExportParams> motorDialogs;
    bool cancelMotorDialog = false;

    void ShowMessage(const std::string& text, const std::string& caption,
                     Severity severity) override {
        log.push_back("message " + caption + ": " + text);
        ScriptedPrompt::ShowMessage(text, caption, severity);
    }
    Answer Ask(const std::string& text, const std::string& caption, Severity severity,
               Buttons buttons) override {
        log.push_back("question " + caption + ": " + text);
        return ScriptedPrompt::Ask(text, caption, severity, buttons);
    }
    bool ChooseFile(const FileChoice& choice, std::string& path) override {
        log.push_back(std::string(choice.save ? "save " : "open ") + choice.title + " | " +
                      choice.filterText + " | " + choice.extension);
        return ScriptedPrompt::ChooseFile(choice, path);
    }
    // The "Export motor file" dialog, answered from `motorDialogs`.
    EditMotorParams Motor() {
        return [this](EngExportParams& params) {
            log.push_back("motor dialog " + std::to_string(params.points));
            if (cancelMotorDialog || motorDialogs.empty())
                return false;
            params = motorDialogs.front();
            motorDialogs.pop_front();
            return true;
        };
    }
};

using Log = std::vector<std::string>;

TEST(ExchangeFlow, CsvExportAsksForAFileAndReportsFailures) {
    UseUtc();
    const std::string dir = FreshDir("exchange_commands", "flow_csv");
    test::Flight empty;
    ScriptedUi ui;
    EXPECT_FALSE(RunCsvExport(ui, empty));
    EXPECT_EQ(ui.log, Log{"message Error: Nothing to Export"});

    test::Flight f;
    BurnFlight(f);
    ui = ScriptedUi();
    ui.files = {"", dir + "/missing/x.csv", dir + "/x.csv"};
    EXPECT_FALSE(RunCsvExport(ui, f)); // cancelled
    EXPECT_FALSE(RunCsvExport(ui, f)); // cannot be written
    EXPECT_TRUE(RunCsvExport(ui, f));
    const std::string dialog = "save Save File As CSV | CSV file | csv";
    ASSERT_EQ(ui.log.size(), 4u);
    EXPECT_EQ(ui.log[0], dialog);
    EXPECT_EQ(ui.log[1], dialog);
    EXPECT_EQ(ui.log[2].rfind("message Error: Could not write x.csv\n\n", 0), 0u) << ui.log[2];
    EXPECT_EQ(ui.log[3], dialog);
    EXPECT_EQ(ui.busy, 0);
    EXPECT_FALSE(std::filesystem::exists(dir + "/missing"));
    EXPECT_EQ(ReadFileBytes(dir + "/x.csv"), Golden("csv_burn.csv"));
}

TEST(ExchangeFlow, EngExportChecksInOrderBeforeAskingAnything) {
    test::Flight f;
    BurnFlight(f);
    const CursorRange cursors{100, 160};
    const std::string question = std::string("question Notice: ") + kCursorQuestionText;
    struct Case {
        const char* what;
        void (*change)(test::Flight&, CursorRange&);
        Log log;
    } cases[] = {
        {"no weight",
         [](test::Flight& r, CursorRange&) { r.m_fLaunchWeight = 0.0f; },
         {std::string("message Notice: ") + kNeedWeightText}},
        {"no propellant",
         [](test::Flight& r, CursorRange&) { r.m_fPropellantWeight = 0.0f; },
         {std::string("message Notice: ") + kNeedPropellantText}},
        {"C2 past the end",
         [](test::Flight&, CursorRange& r) { r.c2 = 251; },
         {question, "message Error: Nothing to Export\n\nC2 (sample 251) stands beyond the end of "
                    "the flight's 250 samples."}},
        {"C1 negative",
         [](test::Flight&, CursorRange& r) { r.c1 = -5; },
         {question,
          "message Error: Nothing to Export\n\nC1 (sample -5) stands before the flight's first "
          "sample, 0."}},
        {"C2 at the end",
         [](test::Flight&, CursorRange& r) { r.c2 = 250; },
         {question, "motor dialog 20"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::Flight g;
        BurnFlight(g);
        CursorRange range = cursors;
        c.change(g, range);
        ScriptedUi ui;
        ui.cancelMotorDialog = true;
        EXPECT_FALSE(RunEngExport(ui, ui.Motor(), g, range));
        EXPECT_EQ(ui.log, c.log);
    }
    ScriptedUi ui;
    ui.answers = {Answer::Cancel};
    EXPECT_FALSE(RunEngExport(ui, ui.Motor(), f, cursors));
    EXPECT_EQ(ui.log, Log{question});
}

TEST(ExchangeFlow, EngExportKeepsTheDialogUpUntilTheFileCanBeReadThenWrites) {
    UseUtc();
    const std::string dir = FreshDir("exchange_commands", "flow_eng");
    test::Flight f;
    BurnFlight(f);
    const CursorRange cursors{100, 160};
    EngExportParams zero{"C6", "18", "70", "5", "0.0231", "0.0123", "Es", 0, ThrustKind::Net};
    EngExportParams good = zero;
    good.points = 20;
    EngExportParams blank = good;
    blank.manufacturer = "Estes Industries";
    ScriptedUi ui;
    ui.motorDialogs = {zero, blank, good};
    ui.files = {dir + "/c6.eng"};
    EXPECT_TRUE(RunEngExport(ui, ui.Motor(), f, cursors));
    const std::string question = std::string("question Notice: ") + kCursorQuestionText;
    EXPECT_EQ(ui.log,
              (Log{question, "motor dialog 20", std::string("message Notice: ") + kZeroPointsText,
                   "motor dialog 0", "message Notice: " + EngExportFault(blank).message,
                   "motor dialog 20", "save Save File As ENG | ENG file | eng"}));
    EXPECT_EQ(ReadFileBytes(dir + "/c6.eng"), Golden("eng_c100_c160_p20.eng"));
    EXPECT_EQ(ui.busy, 0);

    // Cancel at the file dialog writes nothing. The dialog starts from the motor the
    // report compared with, and the site goes to the export.
    ScriptedUi cancel;
    cancel.motorDialogs = {good};
    cancel.files = {""};
    EngMotor compared;
    compared.diameterMm = 18.0;
    compared.lengthMm = 70.0;
    EngExportParams offered;
    const EditMotorParams seen = [&](EngExportParams& p) {
        offered = p;
        return cancel.Motor()(p);
    };
    EXPECT_FALSE(RunEngExport(cancel, seen, f, cursors, &compared, 1500.0));
    EXPECT_EQ(cancel.log.back(), "save Save File As ENG | ENG file | eng");
    EXPECT_EQ(offered.diameter, "18");
    EXPECT_EQ(offered.length, "70");
    EXPECT_EQ(offered.siteAltitudeM, 1500.0);
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
    const std::string dialog = "open Import File | RDAS file | txt";
    ASSERT_EQ(ui.log.size(), 6u);
    EXPECT_EQ(ui.log[0], dialog);
    EXPECT_EQ(ui.log[2].rfind("message Error: Could not import rdas_marker_before_rate.txt\n\n", 0),
              0u);
    EXPECT_EQ(ui.log[4].rfind("message Error: Could not import nothing.txt\n\n", 0), 0u);
    EXPECT_EQ(ui.busy, 0);
}

TEST(ExchangeFlow, ImportOverAModifiedFlightOffersToSaveItFirst) {
    // A refused file is said before anything is asked; the save question may then keep
    // the flight; only an import that goes ahead changes it.
    ScriptedUi ui;
    ui.files = {GoldenPath("rdas_two_columns.txt"), GoldenPath("rdas_three_columns.txt"),
                GoldenPath("rdas_three_columns.txt")};
    CTAVOkitDoc f;
    BurnFlight(f);
    f.SetModifiedFlag(true);
    const auto before = f.Record().m_pSamples.items();
    int asked = 0;
    bool keep = true;
    const auto saveModified = [&] {
        ++asked;
        return !keep;
    };
    EXPECT_FALSE(ImportRdasInto(ui, f, saveModified));
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(ImportRdasInto(ui, f, saveModified));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(f.Record().m_pSamples.items(), before);
    keep = false;
    EXPECT_TRUE(ImportRdasInto(ui, f, saveModified));
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(f.Record().m_pSamples.items(), (std::vector<std::string>{"505", "498", "430"}));
    EXPECT_TRUE(f.IsModified());
}

TEST(ExchangeFlow, ChoosersStartInRocketsWhenItExistsElseTheCurrentDirectory) {
    namespace fs = std::filesystem;
    const fs::path dir = FreshDir("exchange_commands", "start_folder");
    const fs::path old = fs::current_path();
    fs::current_path(dir);
    const std::string without = CsvSaveChoice().startFolder;
    fs::create_directory(dir / "Rockets");
    const std::string with = RdasOpenChoice().startFolder;
    fs::current_path(old);
    EXPECT_EQ(fs::canonical(without), fs::canonical(dir));
    EXPECT_EQ(fs::canonical(with), fs::canonical(dir / "Rockets"));
}

TEST(ExchangeFlow, AppliedRdasTableKeepsCalibrationAndDetails) {
    CTAVOkitDoc f;
    BurnFlight(f);
    f.Settings().m_bUseFileTwoGee = false;
    f.Settings().m_fTwoGee = 16.0f;
    f.Record().m_nAccelOffset = 300;
    f.Record().m_pUndoSamples.Record({0, {"1"}});
    ApplyRdasTable(f, RdasTable{50, {"2048", "", "2040"}});
    EXPECT_TRUE(f.Record().m_pUndoSamples.empty());
    EXPECT_EQ(f.Record().m_pSamples.items(), (std::vector<std::string>{"2048", "", "2040"}));
    EXPECT_EQ(f.Record().m_nSampleRate, 50);
    EXPECT_FLOAT_EQ(f.Curves().m_fSampleInterval, 0.02f);
    EXPECT_EQ(f.Record().m_strName, "Burn");
    EXPECT_FLOAT_EQ(f.Record().m_fLaunchWeight, 0.0781f);
    EXPECT_EQ(f.Record().m_nAccelOffset, 300);
    ASSERT_EQ(f.Curves().m_arrAccel.size(), 3u);
    // Two-G 16 still applies: (2048 - 2040) / 8 = 1 g.
    EXPECT_FLOAT_EQ(f.Curves().m_arrAccel[2], 1.0f);
}

} // namespace
} // namespace tavo
