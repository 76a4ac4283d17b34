#pragma once

#include "model/MyCourse.h"
#include "model/SemestraRecords.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

#include <QColor>

#include <memory>

// A year made record by record, for view tests that need exact days, times
// and colours rather than what the year builder would make.
class HandBuiltYear {
protected:
    template <typename T> T* insert(const char* entity) { return m_context->insert<T>(QString::fromLatin1(entity)); }

    Course* course(const char* name, const QColor& color, bool drawn)
    {
        auto* created = insert<MyCourse>("MyCourse");
        created->setValue(u"courseName", QString::fromUtf8(name));
        created->setValue(u"draw", drawn ? 1 : 0);
        created->setColor(color);
        created->setObject(u"year", m_year);
        return created;
    }

    std::unique_ptr<ObjectContext> m_context = SemestraRecords::newContext();
    Year* m_year = nullptr;
};
