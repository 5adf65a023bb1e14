// The class library's string-to-integer conversion: an integer as a whole or an error.
#pragma once

#include <QString>

#include <stdexcept>

namespace Platform {

// A conversion error; what() and message() read "'<text>' is not a valid integer value".
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const QString &message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

// Accepts leading blanks, one sign, then decimal digits, or hexadecimal digits after "$" or
// "0x"/"0X"; nothing may follow. Out of the 32-bit range or anything else throws EConvertError.
int StrToInt(const QString &text);

// The same reading without the error: answers false and leaves value alone.
bool TryStrToInt(const QString &text, int &value);

} // namespace Platform
