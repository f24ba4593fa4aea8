#pragma once

#include <QDate>
#include <QPointer>
#include <QWidget>

class Dataset;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class TDateEdit;
class TDBGridNormal;
struct ProgramOptions;

// The balance sheet window: the period, the thousands switch, the forecasts
// typed in the grid beside the computed execution, the recomputation of the
// period's execution and the four printed balance sheets. Modeless, one at a
// time; the rows cannot be added or deleted here (the nomenclature does that).
// A document stored elsewhere while it is open marks the execution as out of
// date; it is computed again when the window is next activated.
class TBilantFrm : public QWidget
{
    Q_OBJECT
public:
    static inline const QString caption = QStringLiteral("Bilant");
    static inline const QString heading = QStringLiteral("BUGET DE VENITURI SI CHELTUIELI LA PAROHIE");

    // Opens Bilant and reads the period and the option; throws UserError
    // ("Eroare de acces la tabela bilant!...") when the table cannot be read.
    TBilantFrm(ProgramOptions& options, QWidget* owner);
    ~TBilantFrm() override;

    // The window already open, or nullptr.
    static TBilantFrm* instance();

    TDateEdit* fromInput() const { return m_from; }
    TDateEdit* toInput() const { return m_to; }
    QCheckBox* thousandsBox() const { return m_thousands; }
    QPushButton* validateButton() const { return m_validate; }
    QPushButton* recalcButton() const { return m_recalc; }
    QPushButton* listButton() const { return m_list; }
    QPushButton* saveButton() const { return m_save; }
    // "&Documente" (Ctrl+D): what makes up the current row's execution, for the period computed.
    QPushButton* documentsButton() const { return m_documents; }
    QMenu* listMenu() const { return m_listMenu; }
    TDBGridNormal* grid() const { return m_grid; }
    Dataset* rows() const { return m_rows; }

    // Shown while the execution is older than a document stored since.
    QLabel* outOfDateNotice() const { return m_outOfDate; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // Back in the window after a document was stored: the execution is computed again.
    void changeEvent(QEvent* event) override;

private:
    void recalculate();
    void validate();
    void print(bool firstLayout, const QString& amountField);
    bool storeTyping();
    void showDocuments();

    ProgramOptions& m_options;
    Dataset* m_rows;
    TDateEdit* m_from;
    TDateEdit* m_to;
    QCheckBox* m_thousands;
    QPushButton* m_validate;
    QPushButton* m_recalc;
    QPushButton* m_list;
    QPushButton* m_save;
    QPushButton* m_documents;
    // The period and unit of the execution shown: the last computation's.
    QDate m_computedFrom, m_computedTo;
    bool m_computedInThousands = false;
    QMenu* m_listMenu;
    TDBGridNormal* m_grid;
    bool m_validated = false;
    QLabel* m_outOfDate;
    bool m_recalcOnActivation = false;
};

// The main menu's "Bilant": re-reads the option, computes the execution up to
// today (busy pointer, progress window) and opens the window; a window
// already open is brought forward with the option re-read, its figures as
// they are. A refused computation is shown and opens nothing.
void showBalanceSheet(ProgramOptions& options, QWidget* owner);
