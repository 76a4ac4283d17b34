#pragma once

#include "gui/schedule/NewYearSheet.h"
#include "gui/window/DocumentController.h"
#include "gui/window/DocumentWindow.h"
#include "model/Document.h"
#include "model/Year.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/ScriptedFileChooser.h"
#include "testlib/TemporaryPreferences.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A document controller whose windows ask through scripted presenters, in
// a scratch folder with preferences of its own.
class ShellFixture : public testing::Test {
protected:
    ~ShellFixture() override { qDeleteAll(controller.windows()); }

    QString path(const QString& name) const { return folder.filePath(name); }

    // A file holding a year whose repeat interval is `interval`.
    QString savedYear(const QString& name, int interval = 1)
    {
        DocumentWindow writer(alerts, files);
        writer.document().context().insertObject(QStringLiteral("Year"))->setValue(u"repeatInterval", interval);
        EXPECT_TRUE(writer.document().saveAs(path(name)).ok());
        return path(name);
    }

    int intervalInFile(const QString& file)
    {
        Document document(alerts, files);
        EXPECT_TRUE(document.open(file).ok());
        return document.getCurrentYear() ? document.getCurrentYear()->repeatInterval() : -1;
    }

    static NewYearSheet* sheetOf(const DocumentWindow* window) { return window->findChild<NewYearSheet*>(); }

    // Closed windows delete themselves later, as they would in the event loop.
    static void deleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QTemporaryDir folder;
    TemporaryPreferences preferences;
    ScriptedAlertPresenter alerts;
    ScriptedFileChooser files;
    DocumentController controller { [this] { return new DocumentWindow(alerts, files); } };
};
