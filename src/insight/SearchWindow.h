#pragma once

#include "insight/SearchedYears.h"

#include <QWidget>
#include <optional>

class FoundDocumentsModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;

// "Cautare documente": one box of words and the optional filters (period,
// amount or amount range, account, kind, type code), the documents found in
// a grid with their count and total, saved as CSV with one click. Each
// change shows the first documents at once and the whole ordered list right
// after. Enter or a double-click opens the document in its own window,
// standing on it. "Si anii inchisi" extends the search to every other year,
// the year shown on each row. "Documentele tip&ului" lists what makes up an
// income or expense type's figure for the period (type code and kind chosen).
class TCautareFrm : public QWidget
{
    Q_OBJECT
public:
    // `owner` owns the document windows opened from the results.
    explicit TCautareFrm(QWidget* owner);
    ~TCautareFrm() override;

    // The criteria as typed; empty, with the reason in `problem`, when a box holds what is not a date,
    // an amount or a code.
    std::optional<SearchCriteria> criteria(QString* problem) const;

    FoundDocumentsModel* results() const { return m_model; }
    // Runs the whole search now (what follows a change, without waiting).
    void searchNow();

    static inline const int firstResults = 200;

private:
    void changed();
    void search(bool whole);
    void openCurrent();
    void saveCsv();
    void showTypeDocuments();
    void showSummary(bool whole);

    QWidget* m_owner;
    SearchedYears m_years;
    QLineEdit* m_text;
    QLineEdit* m_from;
    QLineEdit* m_to;
    QLineEdit* m_minAmount;
    QLineEdit* m_maxAmount;
    QComboBox* m_account;
    QComboBox* m_kind;
    QLineEdit* m_typeCode;
    QCheckBox* m_closedYears;
    QTableView* m_grid;
    FoundDocumentsModel* m_model;
    QLabel* m_summary;
    QPushButton* m_csv;
    QPushButton* m_open;
    QPushButton* m_typeDocuments;
    QTimer* m_wholeSearch;
};
