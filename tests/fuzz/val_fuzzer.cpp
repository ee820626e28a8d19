// Val must read any text, however odd, without undefined behaviour, and give
// a number: never NaN, and 0 whenever the text does not begin with a digit
// or a point after its blanks and sign.

#include "canvas/Val.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const double value = Val(text);
    if (std::isnan(value))
        std::abort();
    const QString kept =
        QString(text).remove(QLatin1Char(' ')).remove(QLatin1Char('\t')).remove(QLatin1Char('\n'));
    qsizetype i = 0;
    if (i < kept.size() && (kept[i] == u'+' || kept[i] == u'-'))
        ++i;
    const bool number = i < kept.size() && (kept[i].isDigit() || kept[i] == u'.');
    if (!number && value != 0)
        std::abort();
    return 0;
}
