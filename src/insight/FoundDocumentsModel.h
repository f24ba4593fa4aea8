#pragma once

#include "insight/DocumentSearch.h"

#include <QAbstractTableModel>
#include <QList>

// The documents found, as the search window's grid shows them: year, kind,
// number, date, type, name, explanation, amount.
class FoundDocumentsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Year, Kind, Number, Date, Type, Name, Explanation, Amount, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setDocuments(QList<FoundDocument> documents);
    const QList<FoundDocument>& documents() const { return m_documents; }
    double total() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // A cell's text as shown.
    static QString cellText(const FoundDocument& d, int column);

private:
    QList<FoundDocument> m_documents;
};
