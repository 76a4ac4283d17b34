#pragma once

#include "ContentFixture.h"
#include "exchange/CourseFile.h"
#include "foundation/plist/PropertyList.h"

#include <QTemporaryDir>

// The content fixture's two courses, plus helpers to make course files as
// another program might write them.
class ExchangeFixture : public ContentFixture {
protected:
    static CourseFile fileOf(const QVariantMap& root)
    {
        return CourseFile::fromData(PropertyList::writeXml(root)).value();
    }
    // A course file of `count` lessons titled "L1", "L2", …
    static QVariantMap courseRoot(const QString& name, int count)
    {
        QVariantList entries;
        for (int i = 1; i <= count; ++i)
            entries.append(QVariantMap { { QStringLiteral("lessonTitle"), QStringLiteral("L%1").arg(i) } });
        return { { QStringLiteral("courseName"), name }, { QStringLiteral("lessons"), entries } };
    }
    QString writeFile(const QVariantMap& root, const QString& name = QStringLiteral("course.plist")) const
    {
        const QString path = folder.filePath(name);
        EXPECT_TRUE(PropertyList::writeXmlFile(path, root));
        return path;
    }

    QTemporaryDir folder;
};
