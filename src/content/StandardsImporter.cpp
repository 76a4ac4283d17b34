#include "content/StandardsImporter.h"

#include "content/CaseCsvFormat.h"
#include "content/CaseJsonFormat.h"
#include "content/CsvStandardsFormat.h"
#include "content/StandardsFileFormat.h"

#include <memory>
#include <vector>

namespace {

const std::vector<std::unique_ptr<StandardsFormat>>& formats()
{
    static const std::vector<std::unique_ptr<StandardsFormat>> all = [] {
        std::vector<std::unique_ptr<StandardsFormat>> list;
        list.push_back(std::make_unique<StandardsFileFormat>());
        list.push_back(std::make_unique<CaseJsonFormat>());
        list.push_back(std::make_unique<CaseCsvFormat>());
        list.push_back(std::make_unique<CsvStandardsFormat>());
        return list;
    }();
    return all;
}

} // namespace

std::optional<StandardsImportReport> StandardsImporter::importData(
    const QString& fileName, const QByteArray& bytes, Year& year)
{
    const StandardsSource source(fileName, bytes);
    for (const auto& format : formats()) {
        if (format->recognises(source)) {
            StandardsImport import(year);
            format->read(source, import);
            return import.report();
        }
    }
    return std::nullopt;
}
