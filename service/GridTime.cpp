#include "service/GridTime.h"

#include <QDate>
#include <QString>

bool IsGridTime(std::string_view text, std::string_view latest)
{
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (text.size() != 5 || !digit(text[0]) || !digit(text[1]) || text[2] != ':')
        return false;
    if (text.substr(3) != "00" && text.substr(3) != "30")
        return false;
    return text <= latest;
}

std::string NextDayLabelAsTime(std::string_view text)
{
    static const std::string prefix = "익일 ";
    for (int hour = 1; hour <= 6; ++hour) {
        const std::string whole = prefix + std::to_string(hour) + "시";
        const std::string time = std::to_string(24 + hour) + ":";
        if (text == whole)
            return time + "00";
        if (hour < 6 && text == whole + " 30분")
            return time + "30";
    }
    return std::string(text);
}

bool IsIsoDate(std::string_view text)
{
    return text.size() == 10 &&
           QDate::fromString(QString::fromLatin1(text.data(), 10), Qt::ISODate).isValid();
}
