#pragma once

#include "testlib/FileHash.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

struct CliRun {
    int exitCode = -1;
    QString out;
    QString errors;

    bool succeeded() const { return exitCode == 0; }
};

// Runs semestra-cli in a fresh folder, with its own home so that the
// user's preferences are never touched.
class CliFixture : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_folder.filePath(name); }
    // `environment` adds to (or overrides) the test's own environment.
    CliRun run(const QStringList& arguments, const QHash<QString, QString>& environment = {}) const;
    // Runs the command and fails the test unless it succeeds.
    CliRun runOk(const QStringList& arguments) const;

    QJsonArray days(const QString& file) const;
    QJsonObject info(const QString& file) const;
    // The school days only, in date order.
    QJsonArray schoolDays(const QString& file) const;
    QStringList lessonCourses(const QJsonObject& day) const;

    // A traditional year over the given weeks from Monday 2025-09-08, taught
    // Monday to Friday.
    QString newTraditionalYear(const QStringList& courses, const QString& end = QStringLiteral("2025-09-26")) const;

private:
    QTemporaryDir m_folder;
};

// Weekday of a YYYY-MM-DD date: 1 = Monday ... 7 = Sunday.
int weekdayOf(const QJsonObject& day);
