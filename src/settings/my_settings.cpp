#include "settings/my_settings.h"

#include <QSettings>
#include <QString>
#include <charconv>
#include <cstring>
#include <limits>
#include <string_view>

#include "flight/user_settings.h"

namespace tavo {

namespace {

int ReadInt(QSettings& s, const char* name, int fallback) {
    const QVariant value = s.value(QLatin1String(name));
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? number : fallback;
}

void WriteAll(const UserSettings& r, QSettings& s) {
    s.setValue(QStringLiteral("AutoComPort"), r.m_bAutoComPort ? 1 : 0);
    s.setValue(QStringLiteral("CommPort"), QString::fromLatin1(r.m_strCommPort.c_str()));
    s.setValue(QStringLiteral("DisplayAccelerationInGees"), r.m_bAccelInGees ? 1 : 0);
    s.setValue(QStringLiteral("SampleInterval"),
               QString::fromLatin1(MySettings::FormatInterval(r.m_fSampleInterval).c_str()));
    s.setValue(QStringLiteral("CursorPosition"), r.m_nCursorPosition);
    s.setValue(QStringLiteral("DrawGrid"), r.m_bDrawGrid ? 1 : 0);
    s.setValue(QStringLiteral("MetricUnits"), r.m_bMetricUnits ? 1 : 0);
    s.setValue(QStringLiteral("MaxSamples"), r.m_nMaxSamples);
    s.setValue(QStringLiteral("UseAccelerationOffset"), r.m_bUseAccelOffset ? 1 : 0);
}

} // namespace

std::string MySettings::FormatInterval(float interval) {
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(interval),
                                      std::chars_format::fixed, 6);
    if (result.ec != std::errc())
        return "0.000000";
    return std::string(buffer, result.ptr);
}

float MySettings::ParseInterval(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] != '\0' && std::strchr(" \t\n\v\f\r", text[i]) != nullptr)
        ++i;
    if (i < text.size() && text[i] == '+')
        ++i;
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    double value = 0.0;
    const auto result = std::from_chars(first, last, value);
    if (result.ec == std::errc::invalid_argument)
        return 0.0f;
    if (result.ec == std::errc::result_out_of_range) {
        // The C library's conversion gives +-HUGE_VAL past the largest double and 0
        // below the smallest; a negative exponent or a zero whole part is the latter.
        const std::string_view number(first, static_cast<std::size_t>(result.ptr - first));
        const bool negative = !number.empty() && number.front() == '-';
        const std::size_t e = number.find_first_of("eE");
        const bool tiny = e != std::string_view::npos
                              ? e + 1 < number.size() && number[e + 1] == '-'
                              : number.find_first_not_of("-0") == std::string_view::npos ||
                                    number[number.find_first_not_of("-0")] == '.';
        if (tiny)
            return negative ? -0.0f : 0.0f;
        return negative ? -std::numeric_limits<float>::infinity()
                        : std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(value);
}

void MySettings::Load(UserSettings& r, QSettings& s) {
    s.beginGroup(QLatin1String(kSection));
    const bool firstRun = s.childKeys().isEmpty();
    if (firstRun) {
        ApplyFirstRunSettings(r);
        WriteAll(r, s);
    } else {
        r.m_bAutoComPort = ReadInt(s, "AutoComPort", 1) != 0;
        r.m_strCommPort = s.value(QStringLiteral("CommPort")).toString().toLatin1().toStdString();
        r.m_bAccelInGees = ReadInt(s, "DisplayAccelerationInGees", 1) != 0;
        r.m_fSampleInterval =
            ParseInterval(s.value(QStringLiteral("SampleInterval")).toString().toStdString());
        r.m_nCursorPosition = ReadInt(s, "CursorPosition", 1);
        r.m_bDrawGrid = ReadInt(s, "DrawGrid", 1) != 0;
        r.m_bMetricUnits = ReadInt(s, "MetricUnits", 1) != 0;
        r.m_nMaxSamples = ReadInt(s, "MaxSamples", 6000);
        r.m_bUseAccelOffset = ReadInt(s, "UseAccelerationOffset", 0) != 0;
    }
    s.endGroup();
}

void MySettings::Save(const UserSettings& r, QSettings& s) {
    s.beginGroup(QLatin1String(kSection));
    WriteAll(r, s);
    s.endGroup();
    s.sync();
}

void MySettings::LoadPortSettings(QSettings& s, std::string& portName, bool& autoDetect) {
    // The port chosen in Setup is the one the device dialogs open, with or without the
    // "AdministerSettings" key: nothing creates that key, and waiting for it would
    // leave a typed port with Auto Com off unheard while COM1 is opened instead.
    s.beginGroup(QLatin1String(kSection));
    portName = s.value(QStringLiteral("CommPort")).toString().toLatin1().toStdString();
    autoDetect = ReadInt(s, "AutoComPort", 1) != 0;
    s.endGroup();
    if (portName.empty())
        portName = "COM1:";
}

void MySettings::SaveCommPort(const UserSettings& r, QSettings& s) {
    s.beginGroup(QLatin1String(kSection));
    s.setValue(QStringLiteral("CommPort"), QString::fromLatin1(r.m_strCommPort.c_str()));
    s.setValue(QStringLiteral("AutoComPort"), r.m_bAutoComPort ? 1 : 0);
    s.endGroup();
    s.sync();
}

} // namespace tavo
