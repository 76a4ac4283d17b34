#include "content/StandardsController.h"

#include "content/ContentNotifications.h"
#include "content/StandardLookup.h"
#include "content/StandardsImporter.h"
#include "foundation/alerts/AlertPresenter.h"
#include "foundation/alerts/FileChooser.h"
#include "foundation/dates/Clock.h"
#include "foundation/dates/DateFormatting.h"
#include "foundation/notify/NotificationCenter.h"
#include "foundation/plist/PropertyList.h"
#include "model/Lesson.h"
#include "model/Standard.h"
#include "model/StandardSeeds.h"
#include "model/Year.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

const QString StandardsController::exportFolderChooserTitle = QStringLiteral("Choose an Export Folder");

StandardsController::StandardsController(AlertPresenter& alerts)
    : m_alerts(alerts)
{ }

void StandardsController::setYear(Year* year)
{
    m_year = year;
    m_edited = nullptr;
}

Standard* StandardsController::rootItem() const
{
    return m_year ? StandardLookup::rootItem(*m_year) : nullptr;
}

bool StandardsController::checkStringForStandard(const QString& string) const
{
    return m_year && StandardLookup(*m_year).matching(string) != nullptr;
}

Standard* StandardsController::addRootStandardWithName(const QString& text, const QString& shortName)
{
    return StandardsImport(*m_year).create(text, shortName, nullptr);
}

Standard* StandardsController::addStandardWithName(const QString& text, const QString& withParent)
{
    if (text.isEmpty())
        return nullptr;
    StandardsImport import(*m_year);
    return import.create(text, QString(), import.lookup().matching(withParent));
}

Standard* StandardsController::addStandardPressed()
{
    const QString name = QStringLiteral("New Standard");
    m_edited = StandardsImport(*m_year).create(name, name, editedStandard());
    NotificationCenter::defaultCenter().post(ContentNotifications::standardAdded);
    return m_edited;
}

void StandardsController::renameStandard(Standard& standard, const QString& shortName)
{
    standard.setValue(u"shortName", shortName);
    NotificationCenter::defaultCenter().post(ContentNotifications::standardChanged, &standard);
}

void StandardsController::describeStandard(Standard& standard, const QString& text)
{
    standard.setValue(u"text", text);
    NotificationCenter::defaultCenter().post(ContentNotifications::standardChanged, &standard);
}

bool StandardsController::removeStandardPressed()
{
    Standard* standard = editedStandard();
    if (!standard || standard->isRootItem())
        return false;
    const QList<Lesson*> lessons = standard->getAllLessonsMatchingStandard();
    const qsizetype linked = QSet<Lesson*>(lessons.begin(), lessons.end()).size();
    if (linked > 0) {
        const Alert question { QStringLiteral("Remove Standard?"),
            QStringLiteral("%1 %2 will lose %3 link to \"%4\" or the standards below it.")
                .arg(linked)
                .arg(linked == 1 ? QStringLiteral("lesson") : QStringLiteral("lessons"))
                .arg(linked == 1 ? QStringLiteral("its") : QStringLiteral("their"))
                .arg(standard->shortName()),
            QStringLiteral("Remove"), QStringLiteral("Cancel"), {} };
        if (m_alerts.runModal(question) != AlertDefaultReturn)
            return false;
    }
    m_edited = standard->parent();
    standard->deleteSelf();
    NotificationCenter::defaultCenter().post(ContentNotifications::standardAdded);
    return true;
}

std::optional<StandardsImportReport> StandardsController::importFromCSV(FileChooser& files)
{
    const std::optional<QString> path = files.chooseFileToOpen(OpenPanelRequest {
        {}, QDir::homePath(), { QStringLiteral("csv"), QStringLiteral("plist"), QStringLiteral("json") } });
    if (!path)
        return std::nullopt;
    return importFile(*path);
}

std::optional<StandardsImportReport> StandardsController::importFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_alerts.inform(QStringLiteral("Import Failed"), QStringLiteral("The file %1 could not be read.").arg(path));
        return std::nullopt;
    }
    const std::optional<StandardsImportReport> report
        = StandardsImporter::importData(QFileInfo(path).fileName(), file.readAll(), *m_year);
    if (!report) {
        m_alerts.runModal(Alert { QStringLiteral("Wrong Text Encoding"),
            QStringLiteral("Semestra requires that CSV files be encoded in UTF-8 format.  Please open your CSV file in "
                           "TextEdit and do a Save As, setting the encoding to UTF-8.  Thanks!"),
            QStringLiteral("OK"), {}, {} });
        return std::nullopt;
    }
    m_added = report->added;
    m_errors = report->errors();
    m_alerts.inform(QStringLiteral("Standards Imported"), report->summary());
    NotificationCenter::defaultCenter().post(ContentNotifications::standardAdded);
    return report;
}

QString StandardsController::exportStandards(FileChooser& files)
{
    const std::optional<QString> folder = files.chooseFolder(OpenPanelRequest { exportFolderChooserTitle, {}, {} });
    return folder ? exportToFolder(*folder) : QString();
}

QString StandardsController::exportToFolder(const QString& folder)
{
    const Standard* root = rootItem();
    QVariantList entries;
    StandardSeeds seeds;
    for (const Standard* top : root ? root->sortedChildren() : QList<Standard*>())
        top->dictForExportWithParent(QStringLiteral("NONE"), entries, seeds);
    const QString stamp = DateFormatting::formatPattern(Clock::now(), QStringLiteral("kms"));
    const QString name = QStringLiteral("Semestra Standards - %1.plist").arg(stamp);
    const QString path = QDir(folder).filePath(name);
    const Status written = QFileInfo(folder).isDir() ? PropertyList::writeXmlFile(path, entries)
                                                     : Status::failure(QStringLiteral("no such folder"));
    if (!written) {
        m_alerts.inform(QStringLiteral("Export Failed"),
            QStringLiteral("The file %1 could not be written in the folder you chose.").arg(name));
        return {};
    }
    m_alerts.inform(QStringLiteral("Export Successful"),
        QStringLiteral("You can find the standards exported to a file named %1 in the folder you chose.").arg(name));
    return path;
}
