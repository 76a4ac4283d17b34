#include "exchange/windows/WindowsFileWriter.h"

#include "exchange/windows/ExchangeSyncTime.h"
#include "exchange/windows/WindowsExport.h"
#include "store/SqliteStore.h"
#include "store/sqlite/FMDatabase.h"
#include "store/sqlite/FMResultSet.h"
#include "store/sqlite/FMTransaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

const QString textAddressTable = QStringLiteral("Z_YEAR_TEXT_ADDRESS");

QStringList schemaOf(FMDatabase& database, const QString& type)
{
    QStringList statements;
    std::unique_ptr<FMResultSet> rows = database.executeQuery(
        QStringLiteral("SELECT sql FROM sqlite_master WHERE tbl_name = 'ZYEAR' AND type = ? AND sql IS NOT NULL"),
        { type });
    while (rows && rows->next())
        statements << rows->stringForColumnIndex(0);
    return statements;
}

// The document's table keeps the sync time as text; SQLite would turn a
// number stored there back into text, so the table is rebuilt with a date
// column in its place, keeping its indexes.
bool retypeAddressColumn(FMDatabase& database)
{
    const QStringList table = schemaOf(database, QStringLiteral("table"));
    const QStringList indexes = schemaOf(database, QStringLiteral("index"));
    if (table.size() != 1)
        return false;
    QString create = table.first();
    create.replace(QStringLiteral("ZTEACHERADDRESS VARCHAR"), QStringLiteral("ZTEACHERADDRESS TIMESTAMP"));
    return database.executeStatements(QStringLiteral("ALTER TABLE ZYEAR RENAME TO %1; %2; "
                                                     "INSERT INTO ZYEAR SELECT * FROM %1; DROP TABLE %1; %3;")
                                          .arg(textAddressTable, create, indexes.join(QStringLiteral("; "))));
}

bool writeAddressesAsDates(FMDatabase& database)
{
    QList<std::pair<qint64, QVariant>> dates;
    std::unique_ptr<FMResultSet> rows = database.executeQuery(QStringLiteral("SELECT Z_PK, ZTEACHERADDRESS FROM ZYEAR"));
    while (rows && rows->next()) {
        const std::optional<Date> date = ExchangeSyncTime::fileDate(rows->stringForColumnIndex(1));
        dates.append({ rows->longLongIntForColumnIndex(0), date ? QVariant(date->secondsSinceReferenceDate()) : QVariant() });
    }
    bool ok = rows != nullptr;
    for (const auto& [key, date] : dates)
        ok = ok && database.executeUpdate(QStringLiteral("UPDATE ZYEAR SET ZTEACHERADDRESS = ? WHERE Z_PK = ?"), { date, key });
    return ok;
}

QString temporaryPathBeside(const QString& path)
{
    const QDir folder = QFileInfo(path).absoluteDir();
    return folder.filePath(
        QStringLiteral("test-%1.%2").arg(WindowsExport::genRandStringLength(10), WindowsExport::fileExtension));
}

} // namespace

WindowsFileWriter::Outcome WindowsFileWriter::write(const ObjectContext& context, const QString& path)
{
    const QString temporary = temporaryPathBeside(path);
    const Status written = SqliteStore::writeCopy(context, temporary);
    QString error = written.error();
    if (!written || !convertToExchangeForm(temporary, error)) {
        QFile::remove(temporary);
        return { Failure::Generate, error };
    }
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) != 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(temporary);
        return { Failure::Move, error };
    }
    return {};
}

bool WindowsFileWriter::convertToExchangeForm(const QString& path, QString& error)
{
    std::unique_ptr<FMDatabase> database = FMDatabase::databaseWithPath(path);
    bool ok = database->open();
    {
        FMTransaction transaction(*database);
        ok = ok && transaction.isActive() && retypeAddressColumn(*database) && writeAddressesAsDates(*database)
            && database->executeUpdate(
                QStringLiteral("UPDATE ZYEAR SET ZTEACHERPHONE = replace(ZTEACHERPHONE, ',', ';')"))
            && database->executeUpdate(QStringLiteral("UPDATE ZPUBLISHINFO SET ZFTPPASSWORD = NULL"))
            && transaction.commit();
        if (!ok)
            error = database->lastErrorMessage();
    }
    database->close();
    return ok;
}
