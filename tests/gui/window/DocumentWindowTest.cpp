#include "gui/window/DocumentWindow.h"

#include "model/Document.h"
#include "model/SemestraRecords.h"
#include "model/Year.h"
#include "testlib/FileHash.h"
#include "testlib/TemporaryPreferences.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

TEST(DocumentWindowTest, NewDocumentIsTitledUntitled)
{
    DocumentWindow window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Untitled[*]"));
    EXPECT_EQ(window.document().getCurrentYear(), nullptr);
}

TEST(DocumentWindowTest, OpenedDocumentIsTitledAfterItsFile)
{
    TemporaryPreferences preferences;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Grade 7 2026.semestra"));
    {
        DocumentWindow writer;
        writer.document().context().insertObject(QStringLiteral("Year"));
        ASSERT_TRUE(writer.document().saveAs(path).ok());
    }
    DocumentWindow window;
    ASSERT_TRUE(window.openFile(path));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Grade 7 2026.semestra[*]"));
    EXPECT_NE(window.document().getCurrentYear(), nullptr);
}

TEST(DocumentWindowTest, FileThatIsNotADocumentIsReportedAndLeftAlone)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("notes.semestra"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("plain notes");
    file.close();
    const QByteArray before = fileHash(path);

    QString reported;
    QTimer::singleShot(0, [&reported] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            reported = box->text() + QLatin1Char('|') + box->informativeText();
            box->accept();
        }
    });
    DocumentWindow window;
    EXPECT_FALSE(window.openFile(path));
    EXPECT_EQ(reported,
        QStringLiteral("The document could not be opened.|The file “notes.semestra” is not a Semestra document."));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Untitled[*]"));
    EXPECT_EQ(fileHash(path), before);
}
