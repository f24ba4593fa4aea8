#include "printing/ReportCatalog.h"

#include <stdexcept>

void ReportCatalog::add(ReportEntry entry)
{
    if (entry.name.isEmpty() || find(entry.name))
        throw std::invalid_argument("report name missing or used twice: " + entry.name.toStdString());
    if (!entry.command.isEmpty() && findByCommand(entry.command))
        throw std::invalid_argument("report command used twice: " + entry.command.toStdString());
    if (!entry.build)
        throw std::invalid_argument("report without a builder: " + entry.name.toStdString());
    m_entries.append(std::move(entry));
}

const ReportEntry* ReportCatalog::find(const QString& name) const
{
    for (const ReportEntry& entry : m_entries)
        if (entry.name == name)
            return &entry;
    return nullptr;
}

const ReportEntry* ReportCatalog::findByCommand(const QString& command) const
{
    if (command.isEmpty()) // reports without a menu command have none to match
        return nullptr;
    for (const ReportEntry& entry : m_entries)
        if (entry.command == command)
            return &entry;
    return nullptr;
}
