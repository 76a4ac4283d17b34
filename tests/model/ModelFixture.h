#pragma once

#include "foundation/notify/NotificationCenter.h"
#include "model/SemestraRecords.h"
#include "testlib/FixedClock.h"

#include <QStringList>

#include <gtest/gtest.h>

// A fresh document's records, a fixed clock and a log of the notifications
// that records of this document post.
class ModelFixture : public testing::Test {
protected:
    ModelFixture()
    {
        m_observer = NotificationCenter::defaultCenter().addScopedObserver(
            QString(), context.get(), [this](const Notification& n) {
                if (n.scope() == context.get())
                    posted << n.name;
            });
    }
    ~ModelFixture() override { NotificationCenter::defaultCenter().removeObserver(m_observer); }

    template <typename T> T* insert(const char* entity) { return context->insert<T>(QString::fromLatin1(entity)); }

    static Date at(double secondsSince2001) { return Date::fromSecondsSinceReferenceDate(secondsSince2001); }

    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    FixedClock clock { at(800000000) };
    QStringList posted;

private:
    NotificationCenter::ObserverId m_observer;
};
