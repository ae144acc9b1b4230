#pragma once

#include "Exception.h"

#include <QString>
#include <cstdint>

// The runtime's text operations, with their exact rules (Qt's look-alikes trim and fold other
// characters).
namespace platform {

// A text that is not a whole number of the 32-bit range.
class EConvertError : public Exception {
  public:
    using Exception::Exception;
};

// Removes leading and trailing characters whose code is 32 or lower (blanks and control codes).
QString Trim(const QString& text);

// An optional sign followed by decimal digits, within the 32-bit signed range; anything else,
// the empty text included, raises EConvertError naming the text.
int32_t StrToInt(const QString& text);

// Compares two texts with only the letters a-z folded to A-Z; <0, 0 or >0.
int CompareText(const QString& a, const QString& b);

// Folds only A-Z to a-z; every other character stays as it is.
QString LowerCaseAscii(const QString& text);
constexpr char16_t FoldLowerAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

// The "%i" conversion: decimal, with a leading minus sign for negative values.
QString IntToStr(int32_t value);

} // namespace platform
