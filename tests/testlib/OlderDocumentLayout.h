#pragma once

#include "store/sqlite/FMDatabase.h"

#include <gtest/gtest.h>

// Turns a current document file into one as version 20 wrote it: no tag
// tables, no holiday type column, and 20 in its metadata. (Header only: the
// test binaries that use it link the store.)
inline void rewriteAsVersion20(const QString& path)
{
    auto db = FMDatabase::databaseWithPath(path);
    ASSERT_TRUE(db->open());
    ASSERT_TRUE(db->executeStatements(QStringLiteral(
        "DROP TABLE ZTAG; DROP TABLE Z_6TAGS; ALTER TABLE ZDAY DROP COLUMN ZHOLIDAYTYPE;"
        "DELETE FROM Z_PRIMARYKEY WHERE Z_NAME = 'Tag';"
        "UPDATE Z_METADATA SET Z_PLIST = replace(Z_PLIST, '<integer>21</integer>', '<integer>20</integer>');")));
}
