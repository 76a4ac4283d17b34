#pragma once

#include "server/web/PageFrame.h"

#include <QString>

// The page of a refused or failed request: a heading for the status
// (404, 403, 400, ...) and the short reason the route gives.
namespace ErrorPage {
QString render(int status, const QString& reason, const PageFrame& frame);
} // namespace ErrorPage
