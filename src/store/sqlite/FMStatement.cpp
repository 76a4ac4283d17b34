#include "store/sqlite/FMStatement.h"

#include "store/sqlite/FMBusyRetry.h"
#include "store/sqlite/FMDatabase.h"

#include <QByteArray>

#include <sqlite3.h>

#include <algorithm>

FMStatement::FMStatement(FMDatabase& database, sqlite3_stmt* statement, QString sql)
    : m_database(&database)
    , m_statement(statement)
    , m_sql(std::move(sql))
{ }

FMStatement::~FMStatement()
{
    finalize();
}

void FMStatement::finalize()
{
    if (!m_database)
        return;
    m_database->forgetStatement(this);
    sqlite3_finalize(m_statement);
    m_statement = nullptr;
    m_database = nullptr;
}

namespace {

int bindValue(sqlite3_stmt* statement, int index, const QVariant& value)
{
    if (value.isNull())
        return sqlite3_bind_null(statement, index);
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return sqlite3_bind_int64(statement, index, value.toLongLong());
    case QMetaType::Float:
    case QMetaType::Double:
        return sqlite3_bind_double(statement, index, value.toDouble());
    case QMetaType::QString: {
        const QString text = value.toString();
        if (text.isNull())
            return sqlite3_bind_null(statement, index);
        // SQLITE_TRANSIENT: SQLite copies the bytes, the temporary may go.
        const QByteArray utf8 = text.toUtf8();
        return sqlite3_bind_text64(
            statement, index, utf8.constData(), sqlite3_uint64(utf8.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        if (bytes.isNull())
            return sqlite3_bind_null(statement, index);
        // SQLite binds NULL for a null pointer; constData() of a non-null array
        // never is one, so an empty array stays an empty blob.
        return sqlite3_bind_blob64(statement, index, bytes.constData(), sqlite3_uint64(bytes.size()), SQLITE_TRANSIENT);
    }
    default:
        return SQLITE_MISMATCH;
    }
}

} // namespace

bool FMStatement::bind(int index1Based, const QVariant& value)
{
    if (!m_statement)
        return false;
    const int rc = bindValue(m_statement, index1Based, value);
    if (rc == SQLITE_MISMATCH) {
        m_database->logError(rc,
            QStringLiteral("cannot bind a value of type %1 to parameter %2")
                .arg(QString::fromLatin1(value.typeName()))
                .arg(index1Based),
            m_sql);
    } else if (rc != SQLITE_OK) {
        m_database->logError(m_sql);
    }
    return rc == SQLITE_OK;
}

bool FMStatement::bindAll(const QVariantList& arguments)
{
    if (!m_statement)
        return false;
    sqlite3_clear_bindings(m_statement);
    const int count = std::min(int(arguments.size()), sqlite3_bind_parameter_count(m_statement));
    for (int i = 0; i < count; ++i) {
        if (!bind(i + 1, arguments.at(i)))
            return false;
    }
    return true;
}

FMStatement::StepResult FMStatement::step()
{
    if (!m_statement) {
        m_resultCode = SQLITE_MISUSE;
        return StepResult::Failed;
    }
    // With a _v2 statement a step after busy resets by itself, so it can simply be repeated.
    FMBusyRetry busy(m_database->busyRetryTimeout());
    do {
        m_resultCode = sqlite3_step(m_statement);
    } while (busy.shouldRetry(m_resultCode));
    switch (m_resultCode) {
    case SQLITE_ROW:
        return StepResult::Row;
    case SQLITE_DONE:
        return StepResult::Done;
    default:
        return StepResult::Failed;
    }
}

bool FMStatement::execute()
{
    StepResult result;
    do {
        result = step();
    } while (result == StepResult::Row);
    if (result == StepResult::Failed && m_database)
        m_database->logError(m_sql);
    reset();
    if (m_statement)
        sqlite3_clear_bindings(m_statement);
    return result == StepResult::Done;
}

void FMStatement::reset()
{
    if (m_statement)
        sqlite3_reset(m_statement);
}
