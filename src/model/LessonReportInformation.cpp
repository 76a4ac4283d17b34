#include "model/LessonReportInformation.h"

void LessonReportInformation::setDefaults()
{
    for (const char* key : { "showLessonBody", "showHomework", "showPublicComment", "showCustom1", "showCustom2",
             "showCustom3", "showTags", "showAttachments", "showStandards" })
        setValue(QString::fromLatin1(key), true);
    setValue(u"baseFontSize", 12.0);
    setValue(u"weeklyReportBaseFontSize", 9.0);
}
