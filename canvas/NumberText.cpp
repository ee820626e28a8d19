#include "canvas/NumberText.h"

QString singleToText(float value, const QLocale& locale)
{
    QLocale format = locale;
    format.setNumberOptions(QLocale::OmitGroupSeparator);
    return format.toString(static_cast<double>(value), 'g', 7);
}
