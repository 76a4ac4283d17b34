#pragma once

#include "foundation/core/Result.h"

#include <functional>

class LessonReportInformation;
class QPagedPaintDevice;
class QTextDocument;
class Week;

// Puts reports on pages. The same drawing serves printers and PDF files, so
// what is mailed matches what is printed.
class ReportPdf {
public:
    // The weekly grid in landscape, the canvas as wide as the page. False
    // when the device cannot be painted on.
    static bool printWeekly(Week& week, LessonReportInformation& settings, QPagedPaintDevice& device);
    // A text report in portrait, flowing over as many pages as it needs.
    static bool printText(QTextDocument& text, QPagedPaintDevice& device);

    // The same written to a PDF file; a file that cannot be written (no
    // such folder, no permission, a full disk) is a failure with a reason,
    // and leaves no partial file behind.
    static Status writeWeekly(Week& week, LessonReportInformation& settings, const QString& path);
    static Status writeText(QTextDocument& text, const QString& path);
    // Any printing function's pages written to a PDF file, as above.
    static Status write(const QString& path, const std::function<bool(QPagedPaintDevice&)>& print);

    // Points of page the weekly grid keeps free for itself below the header.
    static constexpr double weeklyBottomReserve = 40;
};
