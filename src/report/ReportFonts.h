#pragma once

#include <QFont>

#include <memory>

class QPaintDevice;
class QTextDocument;

// Reports are set in one sans-serif family at fixed point sizes. The family
// is the desktop's own sans-serif face, so the fonts reports were designed
// with need not be installed.
class ReportFonts {
public:
    enum class Weight { Regular, Bold };

    static QFont font(double pointSize, Weight weight = Weight::Regular);
    // A 72 dpi device: documents laid out on it measure in points, so the
    // same layout serves the screen, the printer and the PDF.
    static QPaintDevice* pointDevice();
    // An empty document laid out in points.
    static std::unique_ptr<QTextDocument> newDocument();
};
