#pragma once

#include "ContentFixture.h"
#include "content/StandardsController.h"
#include "model/Standard.h"
#include "model/StandardInLesson.h"
#include "store/ObjectContext.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// The two-week year of ContentFixture with its root standard, a standards
// controller on it and a folder for files.
class StandardsFixture : public ContentFixture {
protected:
    StandardsFixture()
    {
        root = insert<Standard>("Standard");
        root->setValue(u"isRootItem", true);
        root->setValue(u"text", QStringLiteral("All Standards"));
        root->setValue(u"shortName", QStringLiteral("All Standards"));
        root->setObject(u"year", year());
        controller.setYear(year());
    }

    Standard* standard(const QString& shortName, const QString& text, Standard* parent)
    {
        auto* made = insert<Standard>("Standard");
        made->setValue(u"shortName", shortName);
        made->setValue(u"text", text);
        made->setObject(u"parent", parent);
        made->setObject(u"year", year());
        return made;
    }

    // Imports the file, answering the alert that reports the outcome.
    std::optional<StandardsImportReport> importFile(const QString& path)
    {
        alerts.answerNext(AlertDefaultReturn);
        return controller.importFile(path);
    }

    QString writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(QDir(folder.path()).filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    // The tree below `from` as "short(child,child(grandchild))", children in
    // the order the tree lists them.
    static QString outline(const Standard* from)
    {
        QStringList children;
        for (const Standard* child : from->sortedChildren())
            children.append(outline(child));
        return children.isEmpty() ? from->shortName()
                                  : QStringLiteral("%1(%2)").arg(from->shortName(), children.join(u','));
    }
    QString tree() const { return outline(root); }

    int standardCount() const { return int(year()->allStandards().size()); }

    Standard* root = nullptr;
    StandardsController controller { alerts };
    QTemporaryDir folder;
};
