#include "data/UserProfile.h"

#include "data/RecordStream.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Truncation toward zero; values a hostile file could make unrepresentable saturate instead of
// being undefined.
std::int32_t Truncate(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<std::int32_t>::min();
    return std::int32_t(value);
}

constexpr float kActivityFactors[4] = {1.2f, 1.375f, 1.55f, 1.725f};
constexpr const char* kNutrients[UserProfile::kNutrientCount] = {
    "Calories", "Carbs", "Fiber", "Protein", "Fat", "Saturated Fat"};
constexpr const char* kStatuses[4] = {"Underweight", "Normal", "Overweight", "Obese"};
constexpr const char* kDurations[UserProfile::kDurationCount] = {
    "15 min", "30 min", "45 min", "1 hour", "2 hours", "3 hours", "4 hours"};

} // namespace

UserProfile::UserProfile()
{
    const QDate today = TimeBase::LocalNow().date();
    m_startDate = TimeBase::FromDate(today);
    m_goalDate = DefaultGoalDate(today);
}

QString UserProfile::NutrientName(int index)
{
    return index >= 0 && index < kNutrientCount ? QString::fromLatin1(kNutrients[index])
                                                : QString();
}

QString UserProfile::WeightStatusText(int status)
{
    return status >= 0 && status < 4 ? QString::fromLatin1(kStatuses[status]) : QString();
}

QString UserProfile::DurationText(int index)
{
    return index >= 0 && index < kDurationCount ? QString::fromLatin1(kDurations[index])
                                                : QString();
}

int UserProfile::QuarterHours(int durationIndex)
{
    return durationIndex < 3 ? durationIndex + 1 : (durationIndex - 2) * 4;
}

float UserProfile::ActivityFactor(int level)
{
    // A level outside the table (only a damaged record has one) counts as sedentary.
    return level >= 0 && level < 4 ? kActivityFactors[level] : kActivityFactors[0];
}

TimeBase::Stamp UserProfile::DefaultGoalDate(const QDate& today)
{
    int year = today.year();
    int month = today.month() + 2;
    if (month > 12) {
        month -= 12;
        year += 1;
    }
    const int day = std::min(today.day(), TimeBase::DaysInMonth(year, month));
    return TimeBase::FromDate(QDate(year, month, day));
}

float UserProfile::WeightForDisplay(float kilograms, bool metric)
{
    if (metric)
        return kilograms;
    return float(double(kilograms) * 2.2046226218487757);
}

float UserProfile::WeightFromDisplay(float value, bool metric)
{
    if (metric)
        return value;
    return float(double(value) * 0.45359237);
}

int UserProfile::RoundForDisplay(float value)
{
    return Truncate(value + 0.5f);
}

namespace {

// The leading integer of the text, saturated; `i` is left after its digits.
int ScanWholeNumber(const QString& text, qsizetype& i, bool& negative)
{
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+'))
        negative = text.at(i++) == u'-';
    qint64 value = 0;
    bool saturated = false;
    for (; i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9'; ++i) {
        if (!saturated)
            value = value * 10 + (text.at(i).unicode() - u'0');
        saturated = saturated || value > std::numeric_limits<std::int32_t>::max();
    }
    if (saturated)
        return negative ? std::numeric_limits<std::int32_t>::min()
                        : std::numeric_limits<std::int32_t>::max();
    return int(negative ? -value : value);
}

} // namespace

int UserProfile::ParseWholeNumber(const QString& text)
{
    qsizetype i = 0;
    bool negative = false;
    return ScanWholeNumber(text, i, negative);
}

float UserProfile::ParseOneDecimal(const QString& text)
{
    qsizetype i = 0;
    bool negative = false;
    const int whole = ScanWholeNumber(text, i, negative);
    int tenths = 0;
    if (i + 1 < text.size() && text.at(i) == u'.' && text.at(i + 1) >= u'0' &&
        text.at(i + 1) <= u'9')
        tenths = text.at(i + 1).unicode() - u'0';
    // Formed in double and narrowed once, so that 70.9 reads as the float nearest to 70.9.
    return float(double(whole) + (negative ? -tenths : tenths) / 10.0);
}

QString UserProfile::OneDecimalText(float value)
{
    if (!std::isfinite(value) || std::fabs(value) > 1e6f)
        return {};
    const double tenths = std::round(double(value) * 10.0);
    // A thousandth covers the rounding of a conversion to the other unit and back.
    if (std::fmod(tenths, 10.0) == 0 || std::fabs(double(value) * 10.0 - tenths) > 0.01)
        return {};
    return QString::asprintf("%.1f", tenths / 10.0);
}

float UserProfile::HeightForDisplay(float centimetres, bool metric)
{
    return metric ? centimetres : centimetres * 0.39370078f;
}

void UserProfile::SetHeightFromDisplay(float value, bool metric)
{
    Set(m_height, metric ? value : value * 2.54f);
}

bool UserProfile::IsComplete() const
{
    return !m_name.isEmpty() && kAgeYears.Holds(float(m_age)) && kHeightCm.Holds(m_height) &&
           kWeightKg.Holds(m_startWeight) && kWeightKg.Holds(m_goalWeight);
}

float UserProfile::ComputeBmi() const
{
    const float h = m_height;
    const float w = m_startWeight;
    return (w / (h * h)) * 10000.0f;
}

int UserProfile::ComputeWeightStatus() const
{
    const float bmi = ComputeBmi();
    if (bmi < 18.5f)
        return Underweight;
    if (bmi >= 18.5f && bmi < 25.0f)
        return Normal;
    if (bmi >= 25.0f && bmi < 30.0f)
        return Overweight;
    return Obese; // also not-a-number
}

std::int32_t UserProfile::ComputeBmr() const
{
    const std::int32_t w = Truncate(m_startWeight);
    const std::int32_t h = Truncate(m_height);
    const std::int32_t a = m_age;
    double bmr;
    if (m_male)
        bmr = ((double(std::int64_t(5) * h)) + 13.7 * w) + 66.0 - 6.8 * a;
    else
        bmr = ((1.8 * h) + 9.6 * w) + 665.0 - 4.7 * a;
    return Truncate(bmr);
}

std::int32_t UserProfile::MaintenanceCalories() const
{
    return Truncate(float(ComputeBmr()) * ActivityFactor(m_activityLevel));
}

std::int32_t UserProfile::CaloriesToLose() const
{
    const float difference = m_startWeight - m_goalWeight;
    const float pounds = float(double(difference) * 2.2046226218487757);
    return Truncate(pounds * 3500.0f);
}

std::int32_t UserProfile::DailyCalorieGoal() const
{
    const std::int32_t span = std::int32_t(m_goalDate - m_startDate);
    std::int32_t days = (span / 3600) / 24;
    if (days == 0)
        days = 1;
    const std::int64_t goal = std::int64_t(MaintenanceCalories()) - CaloriesToLose() / days;
    return Truncate(double(goal));
}

int UserProfile::ExerciseWeightClass() const
{
    const double g = Truncate(m_goalWeight);
    if (g < 70.30681735)
        return 0;
    if (g < 86.1825503)
        return 1;
    return 2;
}

std::int32_t UserProfile::ExerciseCalories(std::int32_t figure, int durationIndex)
{
    const std::int64_t product = std::int64_t(QuarterHours(durationIndex)) * figure;
    return std::int32_t(product / 4);
}

bool UserProfile::Load(RecordStream& stream)
{
    if (stream.ReadInt16() != kRecordVersion || !stream.Ok())
        return false;
    UserProfile read = *this;
    read.m_name = stream.ReadText();
    read.m_age = stream.ReadInt16();
    read.m_height = stream.ReadFloat();
    read.m_startWeight = stream.ReadFloat();
    read.m_goalWeight = stream.ReadFloat();
    read.m_startDate = stream.ReadUInt32();
    read.m_goalDate = stream.ReadUInt32();
    read.m_activityLevel = stream.ReadInt16();
    read.m_trackedNutrient = stream.ReadInt16();
    read.m_launchCount = stream.ReadInt16();
    read.m_flags = stream.ReadInt16();
    read.m_blogEmail = stream.ReadText();
    read.m_blogPassword = stream.ReadText();
    read.m_blogName = stream.ReadText();
    if (!stream.Ok())
        return false;
    *this = read;
    return true;
}

void UserProfile::Save(RecordStream& stream) const
{
    stream.WriteInt16(kRecordVersion);
    stream.WriteText(m_name);
    stream.WriteInt16(m_age);
    stream.WriteFloat(m_height);
    stream.WriteFloat(m_startWeight);
    stream.WriteFloat(m_goalWeight);
    stream.WriteUInt32(m_startDate);
    stream.WriteUInt32(m_goalDate);
    stream.WriteInt16(m_activityLevel);
    stream.WriteInt16(m_trackedNutrient);
    stream.WriteInt16(m_launchCount);
    stream.WriteInt16(m_flags);
    stream.WriteText(m_blogEmail);
    stream.WriteText(m_blogPassword);
    stream.WriteText(m_blogName);
}
