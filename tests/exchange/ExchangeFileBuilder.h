#pragma once

#include <QString>

#include <sqlite3.h>

// Writes exchange files the way the Windows edition lays them out, with plain
// SQL through SQLite's C interface, so that the importer is tested against
// files it did not write itself.
class ExchangeFileBuilder {
public:
    explicit ExchangeFileBuilder(const QString& path);
    ~ExchangeFileBuilder();
    ExchangeFileBuilder(const ExchangeFileBuilder&) = delete;
    ExchangeFileBuilder& operator=(const ExchangeFileBuilder&) = delete;

    // Every table and column the exchange reads, empty. A test that wants an
    // older file drops or recreates the table it is about.
    ExchangeFileBuilder& createTables();
    // A year from 2025-09-07 (Sunday) to 2025-09-14 with one week, two
    // school days (keys 1 and 2: Monday and Tuesday) and two courses (keys
    // 10 "Math" and 20 "Art"), filling only the columns every edition has.
    ExchangeFileBuilder& addSmallPlan();
    // Runs the statements; fails the current test when one does not run.
    ExchangeFileBuilder& sql(const QString& statements);
    void close();

    // Seconds since 2001 of a local date and time in the tests' zone.
    static double seconds(int year, int month, int day, int hour = 0, int minute = 0);

private:
    sqlite3* m_db = nullptr;
};
