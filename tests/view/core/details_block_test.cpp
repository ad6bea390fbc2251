// The printed details block's date: English names whatever the user's locale.

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "support/test_files.h"
#include "view/core/draw_graph.h"

namespace tavo {
namespace {

class DetailsBlockDate : public ::testing::Test {
protected:
    void SetUp() override {
        const char* tz = std::getenv("TZ");
        m_hadTz = tz != nullptr;
        m_savedTz = tz ? tz : "";
        test::SetEnv("TZ", "UTC0");
        test::ReadTimeZone();
    }
    void TearDown() override {
        if (m_hadTz)
            test::SetEnv("TZ", m_savedTz.c_str());
        else
            test::SetEnv("TZ", nullptr);
        test::ReadTimeZone();
        std::setlocale(LC_TIME, "C");
    }
    static std::string DatePart(const FlightRecord& f) {
        const std::string text = DetailsBlockText(f);
        return text.substr(0, text.find('\n'));
    }
    bool m_hadTz = false;
    std::string m_savedTz;
};

TEST_F(DetailsBlockDate, NamesStayEnglishUnderAnotherLocale) {
    // The window's toolkit sets every locale category from the user's environment;
    // build a German one to stand for it. Machines without the locale sources skip.
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tavo_locales";
    std::filesystem::create_directories(dir);
    const std::string build =
        "localedef -i de_DE -f UTF-8 '" + (dir / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    if (std::system(build.c_str()) != 0)
        GTEST_SKIP() << "localedef cannot build de_DE here";
    test::SetEnv("LOCPATH", dir.string().c_str());
    const char* set = std::setlocale(LC_TIME, "de_DE.UTF-8");
    test::SetEnv("LOCPATH", nullptr);
    if (set == nullptr)
        GTEST_SKIP() << "the built locale does not load";
    char probe[64];
    std::tm day{};
    day.tm_wday = 6;
    ASSERT_GT(std::strftime(probe, sizeof probe, "%A", &day), 0u);
    ASSERT_STREQ(probe, "Samstag") << "the locale is in force";

    FlightRecord f;
    f.m_timeDate = 1717200000; // 2024-06-01 00:00 UTC, a Saturday
    EXPECT_EQ(DatePart(f), "Saturday, June 01, 2024");
}

} // namespace
} // namespace tavo
