#include "gui/navigation/CourseSourceList.h"

#include "SidebarYear.h"
#include "foundation/notify/NotificationCenter.h"
#include "gui/navigation/CourseSourceListDelegate.h"
#include "gui/navigation/CourseSourceListModel.h"
#include "gui/navigation/LessonDrag.h"
#include "model/LessonDictionary.h"
#include "model/MyCourse.h"
#include "testlib/FixedClock.h"

#include <QApplication>
#include <QDir>
#include <QDragMoveEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QStyleHints>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

struct Posted {
    QString name;
    NotificationSource* object = nullptr;
};

using RowKind = CourseSourceListModel::RowKind;

} // namespace

class CourseSourceListTest : public testing::Test {
protected:
    CourseSourceListTest()
    {
        for (const char* name :
            { "SemestraCoursesToDrawChanged", "SMCourseSourceListCourseViewPressed", "SemestraCourseDoubleClicked" })
            m_observers.observe(QString::fromLatin1(name), &document.year->context(), [this](const Notification& n) {
                posted.push_back({ n.name, n.object });
            });
        list.setYear(document.year);
        // Courses start closed; these tests reach units by opening them.
        for (int course = 0; course < model().rowCount(model().groupIndex()); ++course)
            EXPECT_FALSE(list.isExpanded(model().index(course, 0, model().groupIndex())));
        list.expandAll();
        list.resize(240, 260);
        // Short enough to keep the test quick, long enough for two separate clicks.
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(120);
    }
    ~CourseSourceListTest() override { QGuiApplication::styleHints()->setMouseDoubleClickInterval(m_interval); }

    CourseSourceListModel& model() const { return *list.sourceListModel(); }
    QModelIndex row(const ManagedObject* record) const { return model().indexOf(record); }

    QStringList texts(const QModelIndex& parent) const
    {
        QStringList result;
        for (int index = 0; index < model().rowCount(parent); ++index)
            result << model().index(index, 0, parent).data().toString();
        return result;
    }

    QPoint checkBoxCentre(const Course* course) const
    {
        return CourseSourceListDelegate::checkBoxRect(list.visualRect(row(course))).center();
    }
    QPoint textPoint(const Course* course) const
    {
        return CourseSourceListDelegate::courseTextRect(list.visualRect(row(course))).center();
    }

    // Whether the list takes the data dragged over the unit's row at `point`
    // (by default its centre, well inside the row).
    bool dragOver(const QMimeData& data, const Unit* unit, std::optional<QPoint> point = std::nullopt)
    {
        const QPoint at = point.value_or(list.visualRect(row(unit)).center());
        QDragEnterEvent enter(at, Qt::MoveAction | Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(list.viewport(), &enter);
        QDragMoveEvent move(at, Qt::MoveAction | Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(list.viewport(), &move);
        return move.isAccepted();
    }

    // The line edit of a rename in progress.
    QLineEdit* editor() const { return list.viewport()->findChild<QLineEdit*>(); }

    std::unique_ptr<QMimeData> dragOf(const Lesson* lesson) const
    {
        return std::unique_ptr<QMimeData>(LessonDrag::mimeDataFor(lesson));
    }

    FixedClock clock { local(2026, 9, 16, 10) };
    SidebarYear document;
    CourseSourceList list;
    std::vector<Posted> posted;
    ObserverBag m_observers;

private:
    int m_interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
};

TEST_F(CourseSourceListTest, ListsCoursesUnderTheGroupAndUnitsByName)
{
    Course* unnamed = document.context->insert<MyCourse>(QStringLiteral("MyCourse"));
    unnamed->setValue(u"courseNumber", 3);
    unnamed->setObject(u"year", document.year);
    document.art->addUnitWithName(QString());
    model().reload();

    ASSERT_EQ(model().rowCount(), 1);
    const QModelIndex group = model().groupIndex();
    EXPECT_EQ(group.data().toString(), QStringLiteral("My Courses"));
    EXPECT_EQ(model().rowKind(group), RowKind::Group);
    EXPECT_EQ(texts(group), QStringList({ "Biology", "World History", "Art", "No Course Name Provided" }));
    EXPECT_EQ(texts(row(document.biology)), QStringList({ "Cells", "Ecology" }));
    EXPECT_EQ(texts(row(document.art)), QStringList { "No Unit Name Provided" });
    EXPECT_EQ(model().rowCount(row(document.cells)), 0);
    EXPECT_EQ(row(unnamed).data(Qt::EditRole).toString(), QString())
        << "the editor starts empty, not with the placeholder";

    EXPECT_EQ(row(document.history).data(Qt::DecorationRole).value<QColor>(), QColor(0xc0, 0x39, 0x2b));
    EXPECT_EQ(row(document.history).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_FALSE(row(document.cells).data(Qt::CheckStateRole).isValid());

    EXPECT_FALSE(model().flags(row(document.rome)) & Qt::ItemIsEditable);
    EXPECT_EQ(list.visualRect(row(document.rome)).height(), CourseSourceListDelegate::rowHeight);
}

TEST_F(CourseSourceListTest, GroupStaysOpenAndOnlyCoursesAndUnitsCanBeSelected)
{
    const QModelIndex group = model().groupIndex();
    list.collapse(group);
    EXPECT_TRUE(list.isExpanded(group));

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(group).center());
    EXPECT_EQ(list.selectedRecord(), nullptr);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(row(document.ecology)).center());
    EXPECT_EQ(list.selectedRecord(), document.ecology);

    // Opened and closed courses and the selection survive a reload.
    list.collapse(row(document.history));
    NotificationCenter::defaultCenter().post(QStringLiteral("SemestraRefreshCourseSourceList"));
    EXPECT_FALSE(list.isExpanded(row(document.history)));
    EXPECT_TRUE(list.isExpanded(row(document.biology)));
    EXPECT_EQ(list.selectedRecord(), document.ecology);
}

TEST_F(CourseSourceListTest, CheckBoxTogglesVisibilityOncePerClick)
{
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, checkBoxCentre(document.history));
    EXPECT_FALSE(document.history->isDrawn());
    EXPECT_EQ(list.selectedRecord(), nullptr) << "the check box does not select the row";
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].name, QStringLiteral("SemestraCoursesToDrawChanged"));
    EXPECT_EQ(posted[1].name, QStringLiteral("SMCourseSourceListCourseViewPressed"));
    EXPECT_EQ(posted[1].object, document.history);
    EXPECT_EQ(row(document.history).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, checkBoxCentre(document.history));
    EXPECT_TRUE(document.history->isDrawn());
    EXPECT_TRUE(document.biology->isDrawn()) << "other courses keep theirs";
    EXPECT_EQ(posted.size(), 4u);
}

TEST_F(CourseSourceListTest, DoubleClickOpensTheCourseWithoutRenamingIt)
{
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, textPoint(document.biology));
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, textPoint(document.biology));
    QTest::qWait(QApplication::doubleClickInterval() * 2);
    EXPECT_EQ(editor(), nullptr);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].name, QStringLiteral("SemestraCourseDoubleClicked"));
    EXPECT_EQ(posted[0].object, document.biology);

    // A double click on a unit or on the group opens nothing.
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(row(document.rome)).center());
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(model().groupIndex()).center());
    EXPECT_EQ(posted.size(), 1u);
    EXPECT_TRUE(list.isExpanded(model().groupIndex()));
}

TEST_F(CourseSourceListTest, SlowSecondClickRenamesTheCourse)
{
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, textPoint(document.art));
    QTest::qWait(QApplication::doubleClickInterval() * 2);
    EXPECT_EQ(editor(), nullptr) << "the first click only selects";
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, textPoint(document.art));
    ASSERT_TRUE(QTest::qWaitFor([this] { return editor() != nullptr; }));
    QLineEdit* field = editor();
    EXPECT_EQ(field->text(), QStringLiteral("Art"));
    field->setText(QStringLiteral("Studio Art"));
    QTest::keyClick(field, Qt::Key_Return);
    // The delegate commits the text from the event loop.
    QApplication::processEvents();
    EXPECT_EQ(document.art->courseName(), QStringLiteral("Studio Art"));
    EXPECT_EQ(row(document.art).data().toString(), QStringLiteral("Studio Art"));
    EXPECT_TRUE(posted.empty());
}

TEST_F(CourseSourceListTest, ReloadsOnNotificationsOfItsOwnDocument)
{
    document.history->addUnitWithName(QStringLiteral("Greece"));
    SidebarYear other;
    NotificationCenter::defaultCenter().post(QStringLiteral("SemestraRefreshCourseSourceList"), other.biology);
    EXPECT_EQ(texts(row(document.history)), QStringList { "Rome" });

    NotificationCenter::defaultCenter().post(QStringLiteral("SMNewUnitAdded"));
    EXPECT_EQ(texts(row(document.history)), QStringList({ "Greece", "Rome" }));

    // A course renamed in another document leaves this list's row alone.
    other.biology->setValue(u"courseName", QStringLiteral("Life Science"));
    document.biology->setValue(u"courseName", QStringLiteral("Biology I"));
    EXPECT_EQ(row(document.biology).data().toString(), QStringLiteral("Biology I"));
}

TEST_F(CourseSourceListTest, LessonsJoinOnlyAnotherUnitOfTheirOwnCourse)
{
    Lesson* lesson = document.lesson(document.biology, 9, 21);
    lesson->setObject(u"unit", document.cells);
    EXPECT_FALSE(model().canDropLesson(lesson, row(document.biology))) << "a course row";
    EXPECT_FALSE(model().canDropLesson(lesson, model().groupIndex()));
    EXPECT_TRUE(model().canDropLesson(document.lesson(document.history, 9, 22), row(document.rome))) << "no unit yet";

    SidebarYear other;
    const auto foreign = dragOf(other.lesson(other.biology, 9, 21));
    const auto data = dragOf(lesson);
    EXPECT_FALSE(dragOver(*foreign, document.ecology)) << "a lesson of another document";
    EXPECT_FALSE(dragOver(*data, document.rome)) << "another course's unit";
    EXPECT_FALSE(dragOver(*data, document.cells)) << "the unit it is in";
    EXPECT_FALSE(dragOver(*data, document.ecology, list.visualRect(row(document.ecology)).topLeft())) << "between rows";
    EXPECT_TRUE(dragOver(*data, document.ecology));

    QDropEvent drop(list.visualRect(row(document.ecology)).center(), Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(list.viewport(), &drop);
    EXPECT_EQ(lesson->unit(), document.ecology);
    EXPECT_FALSE(document.cells->lessons().contains(lesson));
    EXPECT_FALSE(dragOver(*data, document.ecology)) << "now it is in it";
}

TEST(LessonDragTest, CarriesTheLessonOfItsOwnDocumentOnly)
{
    FixedClock clock { local(2026, 9, 16, 10) };
    SidebarYear document;
    Lesson* lesson = document.lesson(document.history, 10, 14);
    const std::unique_ptr<QMimeData> data(LessonDrag::mimeDataFor(lesson));
    EXPECT_EQ(LessonDrag::lessonFrom(data.get(), *document.context), lesson);
    SidebarYear other;
    EXPECT_EQ(LessonDrag::lessonFrom(data.get(), *other.context), nullptr);

    QMimeData text;
    text.setText(lesson->objectURI());
    EXPECT_EQ(LessonDrag::lessonFrom(&text, *document.context), nullptr) << "plain text is not a lesson drag";
    EXPECT_EQ(LessonDrag::lessonFrom(nullptr, *document.context), nullptr);

    const std::unique_ptr<QMimeData> dayData(LessonDrag::mimeDataFor(lesson));
    dayData->setData(LessonDrag::mimeType, document.day(10, 14)->objectURI().toUtf8());
    EXPECT_EQ(LessonDrag::lessonFrom(dayData.get(), *document.context), nullptr) << "a day is not a lesson";

    document.context->deleteObject(lesson);
    EXPECT_EQ(LessonDrag::lessonFrom(data.get(), *document.context), nullptr);
}

TEST(LessonDragTest, CarriesTheContentAsDictionaryTextForOtherDocuments)
{
    FixedClock clock { local(2026, 9, 16, 10) };
    SidebarYear document;
    Lesson* lesson = document.lesson(document.history, 10, 14);
    lesson->setValue(u"lessonTitle", QStringLiteral("The \"Long\" Parliament; 1640 = {}"));
    const std::unique_ptr<QMimeData> data(LessonDrag::mimeDataFor(lesson));
    ASSERT_TRUE(data->hasText());

    const std::optional<QVariantMap> dictionary = LessonDictionary::fromText(data->text());
    ASSERT_TRUE(dictionary.has_value()) << data->text().toStdString();
    SidebarYear other;
    Lesson* target = other.lesson(other.art, 10, 15);
    LessonDictionary::read(*dictionary, *target);
    EXPECT_EQ(target->lessonTitle(), QStringLiteral("The \"Long\" Parliament; 1640 = {}"));
    EXPECT_EQ(target->dayTaught(), other.day(10, 15)) << "the slot is the target's own";
}

TEST(LessonDragTest, ImageIsADarkRoundedLabel)
{
    FixedClock clock { local(2026, 9, 16, 10) };
    SidebarYear document;
    const QPixmap pixmap = LessonDrag::dragImage(document.lesson(document.history, 10, 14));
    EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(150, 40));
    const QImage image = pixmap.toImage();
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << "rounded corner";
    EXPECT_EQ(image.pixel(3, 20), QColor::fromRgbF(0.1f, 0.1f, 0.1f).rgb());
    int whitePixels = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            whitePixels += image.pixelColor(x, y).lightness() > 200 ? 1 : 0;
    }
    EXPECT_GT(whitePixels, 100) << "the text is drawn";

    const QString folder = QStringLiteral(SEMESTRA_SCREENSHOT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(pixmap.save(folder + QStringLiteral("/lesson-drag.png")));
}

TEST_F(CourseSourceListTest, Screenshot)
{
    document.art->setValue(u"draw", 0);
    document.history->addUnitWithName(QStringLiteral("The Renaissance and the Reformation in Northern Europe"));
    model().reload();
    list.selectionModel()->select(row(document.ecology), QItemSelectionModel::ClearAndSelect);

    const QString folder = QStringLiteral(SEMESTRA_SCREENSHOT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QImage image = list.grab().toImage();
    ASSERT_TRUE(image.save(folder + QStringLiteral("/course-list.png")));
    const QPoint inBox = checkBoxCentre(document.history) + QPoint(-3, 3);
    EXPECT_EQ(image.pixel(list.viewport()->mapTo(&list, inBox)), QColor(0xc0, 0x39, 0x2b).rgb());
}
