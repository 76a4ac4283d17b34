#pragma once

#include "server/web/PageFrame.h"
#include "server/web/WebViews.h"

#include <QList>
#include <QString>

// The feedback the desktop program posted, newest first, for the administrator.
namespace FeedbackListPage {
QString render(const QList<FeedbackView>& feedback, const PageFrame& frame);
} // namespace FeedbackListPage
