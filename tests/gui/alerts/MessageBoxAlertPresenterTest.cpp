#include "gui/alerts/MessageBoxAlertPresenter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Clicks the button titled `title` in the message box once it is up.
void clickWhenShown(const QString& title)
{
    QTimer::singleShot(0, [title] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == title) {
                button->click();
                return;
            }
        }
        ADD_FAILURE() << "no button " << title.toStdString();
        box->reject();
    });
}

const Alert threeButtons { QStringLiteral("Bump or Delete Lessons"), QStringLiteral("This day has lessons."),
    QStringLiteral("Bump"), QStringLiteral("Cancel"), QStringLiteral("Delete") };

} // namespace

TEST(MessageBoxAlertPresenterTest, EachButtonReturnsItsValue)
{
    MessageBoxAlertPresenter presenter(nullptr);
    clickWhenShown(QStringLiteral("Bump"));
    EXPECT_EQ(presenter.runModal(threeButtons), AlertDefaultReturn);
    clickWhenShown(QStringLiteral("Cancel"));
    EXPECT_EQ(presenter.runModal(threeButtons), AlertAlternateReturn);
    clickWhenShown(QStringLiteral("Delete"));
    EXPECT_EQ(presenter.runModal(threeButtons), AlertOtherReturn);
}

TEST(MessageBoxAlertPresenterTest, AlertWithoutButtonsOffersOk)
{
    MessageBoxAlertPresenter presenter(nullptr);
    clickWhenShown(QStringLiteral("OK"));
    EXPECT_EQ(presenter.runModal(Alert { QStringLiteral("Error"), QStringLiteral("It failed."), {}, {}, {} }),
        AlertDefaultReturn);
}
