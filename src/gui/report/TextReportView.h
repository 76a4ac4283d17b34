#pragma once

#include "gui/report/ReportView.h"

#include <memory>

class QComboBox;
class QDateEdit;
class QTextDocument;
class QTextEdit;
class QTreeWidget;
class Standard;
class Unit;

// The daily lesson plan, the unit report or the standards report: one
// flowing text under its header, with the choice it is made for.
class TextReportView : public ReportView {
    Q_OBJECT
public:
    enum class Kind { Daily, Unit, Standards };

    TextReportView(Kind kind, Year& year, AlertPresenter& alerts, FileChooser& files, QWidget* parent = nullptr);
    ~TextReportView() override;

    Kind kind() const { return m_kind; }
    const QTextDocument* report() const { return m_report.get(); }
    void chooseUnit(const Unit* unit);
    void chooseStandard(const Standard* standard);

    void reload() override;
    bool printTo(QPagedPaintDevice& device) override;

protected:
    QString mailSubject() const override;
    QString mailFileName() const override { return QStringLiteral("dailyreport.pdf"); }

private:
    void addDailyRange();
    void addUnitChoice();
    // Lists the year's units again, keeping the chosen one while it exists.
    void fillUnits();
    void addStandardsTree();

    Kind m_kind;
    ObserverBag m_unitObservers;
    QTextEdit* m_text = nullptr;
    QComboBox* m_units = nullptr;
    QTreeWidget* m_standards = nullptr;
    const Unit* m_unit = nullptr;
    const Standard* m_standard = nullptr;
    std::unique_ptr<QTextDocument> m_report;
};
