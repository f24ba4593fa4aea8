#pragma once

#include <QDialog>
#include <functional>

class Dataset;
class QLabel;
class QPushButton;
class TDBGridNormal;
class TDBNavigator;

// The stock list window: the goods the parish holds, in name order, edited
// in place in a grid, each row numbered by its position. Modal; "&Valideaza"
// stores the row being edited and closes, "&Listeaza!" prints the stock list.
class TStocFrm : public QDialog
{
    Q_OBJECT
public:
    // Runs the stock list report, asking its date, over the calling window.
    using PrintCommand = std::function<void(QWidget* caller)>;

    // Shows the window over `parent`, modal to the program. A table that
    // cannot be opened is told to the user and no window opens (nullptr).
    static TStocFrm* open(QWidget* parent, PrintCommand printList);

    // Opens the stock table (throws DbError when it cannot).
    explicit TStocFrm(PrintCommand printList, QWidget* parent = nullptr);
    ~TStocFrm() override;

    Dataset* stock() const { return m_stock; }
    TDBGridNormal* grid() const { return m_grid; }
    TDBNavigator* navigator() const { return m_navigator; }
    QLabel* heading() const { return m_heading; }
    QPushButton* validateButton() const { return m_validateButton; }
    QPushButton* printButton() const { return m_printButton; }

    // Stores the row being edited and closes; a refused row has its reason
    // shown and keeps the window open with what was typed.
    void validate();
    // Stores the row being edited, then prints the list; a refused row prints nothing.
    void printList();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void openStock();
    void buildControls();
    // Refuses a row without a name, a quantity or a price, naming the missing column.
    void checkComplete(Dataset& row);
    bool storePendingRow();
    void discardEdits();

    PrintCommand m_print;
    Dataset* m_stock = nullptr;
    TDBGridNormal* m_grid = nullptr;
    TDBNavigator* m_navigator = nullptr;
    QLabel* m_heading = nullptr;
    QPushButton* m_validateButton = nullptr;
    QPushButton* m_printButton = nullptr;
};
