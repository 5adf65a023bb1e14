#include "Convert.h"

#include <cstdint>
#include <limits>

namespace Platform {

EConvertError::EConvertError(const QString &message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

bool TryStrToInt(const QString &text, int &value)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < n && text.at(i) == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text.at(i) == QLatin1Char('0') &&
               (text.at(i + 1) == QLatin1Char('x') || text.at(i + 1) == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        return false;
    // Hexadecimal may fill all 32 bits, as the class library allows ($FFFFFFFF is -1).
    const std::uint64_t limit = base == 16 ? 0xFFFFFFFFull
                                           : static_cast<std::uint64_t>(std::numeric_limits<int>::max()) +
                                                 (negative ? 1u : 0u);
    std::uint64_t magnitude = 0;
    for (; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return false;
        magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (magnitude > limit)
            return false;
    }
    std::int64_t signedValue;
    if (base == 16)
        signedValue = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
    else
        signedValue = static_cast<std::int64_t>(magnitude);
    value = static_cast<int>(negative ? -signedValue : signedValue);
    return true;
}

int StrToInt(const QString &text)
{
    int value = 0;
    if (!TryStrToInt(text, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

} // namespace Platform
