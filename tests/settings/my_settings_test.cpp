#include "settings/my_settings.h"
#include "settings/site_settings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>

#include "flight/user_settings.h"

namespace tavo {
namespace {

class MySettingsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QSettings Store() {
        return QSettings(dir.filePath(QStringLiteral("tavo.ini")), QSettings::IniFormat);
    }
};

TEST_F(MySettingsTest, FirstRunWritesAllNineFirstRunValuesInOrder) {
    UserSettings r;
    {
        QSettings s = Store();
        MySettings::Load(r, s);
    }
    EXPECT_EQ(r.m_strCommPort, "COM1:");
    EXPECT_EQ(r.m_nCursorPosition, 0);
    EXPECT_EQ(r.m_fSampleInterval, 0.25f);
    QSettings s = Store();
    s.beginGroup(QStringLiteral("MySettings"));
    EXPECT_EQ(s.childKeys().size(), 9);
    EXPECT_EQ(s.value(QStringLiteral("SampleInterval")).toString(), QStringLiteral("0.250000"));
    EXPECT_EQ(s.value(QStringLiteral("CommPort")).toString(), QStringLiteral("COM1:"));
    EXPECT_EQ(s.value(QStringLiteral("CursorPosition")).toInt(), 0);
    EXPECT_EQ(s.value(QStringLiteral("MaxSamples")).toInt(), 6000);
    EXPECT_EQ(s.value(QStringLiteral("UseAccelerationOffset")).toInt(), 0);
}

TEST_F(MySettingsTest, MissingValuesTakeTheirDefaults) {
    {
        QSettings s = Store();
        s.setValue(QStringLiteral("MySettings/MetricUnits"), 0);
        s.setValue(QStringLiteral("MySettings/SampleInterval"), QStringLiteral("abc"));
    }
    UserSettings r;
    r.m_nCursorPosition = 7;
    QSettings s = Store();
    MySettings::Load(r, s);
    EXPECT_EQ(r.m_nCursorPosition, 1); // missing: 1, not the first-run 0
    EXPECT_EQ(r.m_strCommPort, "");
    EXPECT_EQ(r.m_fSampleInterval, 0.0f);
    EXPECT_FALSE(r.m_bMetricUnits);
    EXPECT_TRUE(r.m_bAutoComPort);
    EXPECT_EQ(r.m_nMaxSamples, 6000);
}

TEST_F(MySettingsTest, SaveWritesCurrentValuesBack) {
    UserSettings r;
    {
        QSettings s = Store();
        MySettings::Load(r, s);
    }
    r.m_bMetricUnits = false;
    r.m_fSampleInterval = 0.01f;
    r.m_strCommPort = "/dev/ttyUSB0";
    {
        QSettings s = Store();
        MySettings::Save(r, s);
    }
    UserSettings again;
    QSettings s = Store();
    MySettings::Load(again, s);
    EXPECT_FALSE(again.m_bMetricUnits);
    EXPECT_EQ(again.m_strCommPort, "/dev/ttyUSB0");
    EXPECT_EQ(s.value(QStringLiteral("MySettings/SampleInterval")).toString(),
              QStringLiteral("0.010000"));
}

TEST(MySettingsFormat, IntervalTextBothWays) {
    EXPECT_EQ(MySettings::FormatInterval(0.25f), "0.250000");
    EXPECT_EQ(MySettings::FormatInterval(1.0f / 3.0f), "0.333333");
    EXPECT_EQ(MySettings::ParseInterval(" 0.5s"), 0.5f);
    EXPECT_EQ(MySettings::ParseInterval("+2"), 2.0f);
    EXPECT_EQ(MySettings::ParseInterval("-0.125"), -0.125f);
    EXPECT_EQ(MySettings::ParseInterval(""), 0.0f);
    EXPECT_EQ(MySettings::ParseInterval("abc"), 0.0f);
    // Out of the double range: the overflow value, or 0 below the smallest.
    EXPECT_EQ(MySettings::ParseInterval("1e999"), std::numeric_limits<float>::infinity());
    EXPECT_EQ(MySettings::ParseInterval("-1e999"), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(MySettings::ParseInterval("1e-999"), 0.0f);
}

} // namespace
} // namespace tavo

namespace tavo {
namespace {

TEST_F(MySettingsTest, DeviceDialogsTakeThePortChosenInSetupWithOrWithoutTheAdministerKey) {
    struct Case {
        bool key;
        const char* commPort; // nullptr: not stored
        int autoComPort;      // -1: not stored
        std::string port;
        bool autoDetect;
    };
    const Case cases[] = {
        {false, "COM4:", 0, "COM4:", false},
        {false, "/dev/pts/3", 0, "/dev/pts/3", false},
        {false, nullptr, -1, "COM1:", true},
        {true, "COM4:", 0, "COM4:", false},
        {true, "/dev/ttyUSB0", 1, "/dev/ttyUSB0", true},
        {true, nullptr, -1, "COM1:", true}, // an empty name opens nothing
    };
    for (const Case& c : cases) {
        QTemporaryDir fresh;
        QSettings s(fresh.filePath(QStringLiteral("tavo.ini")), QSettings::IniFormat);
        if (c.key)
            s.setValue(QStringLiteral("AdministerSettings/Present"), 1);
        if (c.commPort != nullptr)
            s.setValue(QStringLiteral("MySettings/CommPort"), QString::fromLatin1(c.commPort));
        if (c.autoComPort >= 0)
            s.setValue(QStringLiteral("MySettings/AutoComPort"), c.autoComPort);
        std::string port = "unchanged";
        bool autoDetect = false;
        MySettings::LoadPortSettings(s, port, autoDetect);
        EXPECT_EQ(port, c.port) << c.key << " " << (c.commPort ? c.commPort : "-");
        EXPECT_EQ(autoDetect, c.autoDetect) << c.key << " " << c.autoComPort;
    }
}

} // namespace
} // namespace tavo

namespace tavo {
namespace {

// Whatever a hand-edited file holds, the air model only ever sees a site it can fly from.
TEST_F(MySettingsTest, SiteAltitudeReadsBackAndRefusesWhatIsNoSite) {
    {
        QSettings s = Store();
        EXPECT_EQ(LoadSiteAltitude(s), 0.0); // a fresh installation flies from sea level
        EXPECT_TRUE(SaveSiteAltitude(s, 1234.5));
        EXPECT_FALSE(SaveSiteAltitude(s, 9001.0));
        EXPECT_FALSE(SaveSiteAltitude(s, std::numeric_limits<double>::quiet_NaN()));
    }
    QSettings s = Store();
    EXPECT_EQ(LoadSiteAltitude(s), 1234.5);
    for (const char* stored : {"abc", "1,5", "nan", "inf", "-600", "12000"}) {
        s.setValue(QStringLiteral("LaunchSite/AltitudeM"), QString::fromLatin1(stored));
        EXPECT_EQ(LoadSiteAltitude(s), 0.0) << stored;
    }
}

} // namespace
} // namespace tavo
